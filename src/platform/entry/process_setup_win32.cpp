// The process's arguments and streams on Windows. The game is a GUI program:
// its standard handles are valid when whoever started it gave it a file or a
// pipe; otherwise it attaches to the console of the program that started it,
// so that --help, --version and errors are seen there.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/entry/process_setup.hpp"
#include "platform/system/utf.hpp"

namespace {

bool validHandle(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void prepareStandardStreams() {
  const bool output = validHandle(STD_OUTPUT_HANDLE);
  const bool error = validHandle(STD_ERROR_HANDLE);
  if ((!output || !error) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (!output) std::freopen("CONOUT$", "w", stdout);
    if (!error) std::freopen("CONOUT$", "w", stderr);
  }
  // Dumps, scripts and frames are the same bytes as on every other system: no
  // line ends changed on the way.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::vector<std::string> processArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  if (wide == nullptr) {
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i] ? argv[i] : "");
    return arguments;
  }
  for (int i = 0; i < count; ++i) {
    const std::wstring_view argument(wide[i]);
    arguments.push_back(utf8FromUtf16(std::u16string(argument.begin(), argument.end())));
  }
  ::LocalFree(wide);
  return arguments;
}

std::string programNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() > 4) {
    std::string suffix = name.substr(name.size() - 4);
    for (char& c : suffix) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    if (suffix == ".exe") name.resize(name.size() - 4);
  }
  return name;
}
