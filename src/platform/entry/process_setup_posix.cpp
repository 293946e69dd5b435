// The process's arguments and streams on POSIX: already bytes, already open.
#include "platform/entry/process_setup.hpp"

void prepareStandardStreams() {}

std::vector<std::string> processArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i] ? argv[i] : "");
  return arguments;
}

std::string programNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
