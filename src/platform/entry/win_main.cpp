// The entry function: reads the command line, makes the host, and runs the
// one application object on it.
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/entry/command_line.hpp"
#include "platform/entry/process_setup.hpp"
#include "platform/focus_pause.hpp"
#include "platform/headless/headless_host.hpp"
#include "platform/headless/paced_replay_host.hpp"
#include "platform/host.hpp"
#include "platform/language/language.hpp"
#include "platform/language/system_language.hpp"
#include "platform/language_switch.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_app.hpp"
#include "platform/mz_functions.hpp"
#include "platform/session_recorder.hpp"
#include "platform/system/path_text.hpp"
#if QUANDREL_HAVE_SDL
#include "platform/sdl/sdl_host.hpp"
#endif
#if QUANDREL_HAVE_WEB
#include "platform/web/page_loop.hpp"
#endif
#if QUANDREL_HAVE_WIN32
#include "platform/win32/win32_host.hpp"
#endif

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Writes the state the loop ended in, for comparing a session with its replay.
bool writeFinalState(const std::string& path, const std::string& program) {
  std::ofstream file(filesystemPathFromUtf8(path), std::ios::binary | std::ios::trunc);
  file << loopStateJson() << '\n';
  file.close();
  if (file) return true;
  std::cerr << program << ": cannot write '" << path << "'\n";
  return false;
}

// The function that builds the one application object. It is called once the
// host is ready, so a start that fails before (no display, a script or a
// recording that cannot be opened) leaves the application's files alone.
using Application = CMzApp& (*)();

// Init, the loop only when Init agreed, then Shutdown, all on `host`; the
// session recorded and the final state written when the command line asks.
int runApplication(Application application, Host& host, const CommandLine& line, const std::string& program) {
  std::unique_ptr<SessionRecorder> recorder;
  if (!line.recordPath.empty()) {
    std::string error;
    recorder = SessionRecorder::toFile(line.recordPath, error);
    if (!recorder) {
      std::cerr << program << ": " << error << '\n';
      return ExitFailure;
    }
  }
  CMzApp& app = application();
  setCurrentHost(&host);
  setSessionRecorder(recorder.get());
  int code = 0;
  if (app.Init() != 0) {
    code = app.Run();
    if (!line.dumpAtExitPath.empty() && !writeFinalState(line.dumpAtExitPath, program) && code == 0)
      code = ExitFailure;
  }
  app.Shutdown();
  setSessionRecorder(nullptr);
  setCurrentHost(nullptr);
  return code;
}

#if QUANDREL_HAVE_SDL || QUANDREL_HAVE_WIN32
int runReplay(Application application, Host& window, std::istream& recording, const CommandLine& line,
              const std::string& program) {
  PacedReplayHost host(window, recording, std::cout, std::cerr);
  const int code = runApplication(application, host, line, program);
  return host.failed() ? ExitUsage : code;
}
#endif

int runHeadless(Application application, const CommandLine& line, const std::string& program) {
  std::ifstream file;
  if (!line.scriptPath.empty()) {
    file.open(filesystemPathFromUtf8(line.scriptPath), std::ios::binary);
    if (!file) {
      std::cerr << program << ": cannot read script '" << line.scriptPath << "'\n";
      return ExitUsage;
    }
  }
  HeadlessHost host(line.scriptPath.empty() ? std::cin : file, std::cout, std::cerr);
  const int code = runApplication(application, host, line, program);
  return host.failed() ? ExitUsage : code;
}

int runWindowed(Application application, const CommandLine& line, const std::string& program) {
#if QUANDREL_HAVE_WEB
  // In a browser the page is the window, and its frames run the loop.
  (void)line;
  (void)program;
  return runInPage(application());
#elif QUANDREL_HAVE_SDL || QUANDREL_HAVE_WIN32
  std::ifstream recording;
  if (!line.replayPath.empty()) {
    recording.open(filesystemPathFromUtf8(line.replayPath), std::ios::binary);
    if (!recording) {
      std::cerr << program << ": cannot read recording '" << line.replayPath << "'\n";
      return ExitUsage;
    }
  }
  std::string error;
#if QUANDREL_HAVE_WIN32
  std::unique_ptr<Host> host = createWin32Host(line.window, error);
#else
  std::unique_ptr<Host> host = createSdlHost(line.window, error);
#endif
  if (host) return line.replayPath.empty() ? runApplication(application, *host, line, program)
                                           : runReplay(application, *host, recording, line, program);
  std::cerr << program << ": " << error << "; run '" << program << " --headless' to play without a window\n";
#else
  (void)application;
  (void)line;
  std::cerr << program << ": this build has no window; run '" << program << " --headless'\n";
#endif
  return ExitFailure;
}

}  // namespace

int WinMain(int argc, char** argv, const char* version, CMzApp& (*application)(), RecordsListing listRecords,
            RunVerifier verifyRun) {
  prepareStandardStreams();
  const std::vector<std::string> arguments = processArguments(argc, argv);
  std::vector<const char*> argumentTexts;
  for (const std::string& argument : arguments) argumentTexts.push_back(argument.c_str());
  const std::string program = programNameOf(arguments.empty() ? "quandrel" : arguments.front());
  const CommandLine line = parseCommandLine(static_cast<int>(argumentTexts.size()), argumentTexts.data());
  switch (line.action) {
    case CommandLine::Action::Help: std::cout << usageText(program); return 0;
    case CommandLine::Action::Version: std::cout << program << ' ' << (version ? version : "") << '\n'; return 0;
    case CommandLine::Action::Error:
      std::cerr << program << ": " << line.error << "\nTry '" << program << " --help'.\n";
      return ExitUsage;
    case CommandLine::Action::Records:
      if (listRecords) return listRecords(std::cout, std::cerr);
      std::cerr << program << ": this program keeps no records\n";
      return ExitFailure;
    case CommandLine::Action::Verify:
      if (verifyRun) return verifyRun(line.runSource, std::cin, std::cout, std::cerr);
      std::cerr << "error: this program has no runs to verify\n";
      return ExitFailure;
    case CommandLine::Action::Run: break;
  }
  setRunToOpenAtStart(line.watchRun);
  setBoardToOpenAtStart(line.boardToOpen);
  const std::string language = line.language.empty() ? languageFromSystem() : line.language;
  if (std::string error; !setActiveLanguage(language, error))
    std::cerr << program << ": " << error << "; texts show untranslated\n";
  setLanguageNamedForRun(!line.language.empty());
  MzSetParam(1, line.animate ? 1 : 0);
  setFocusPauseEnabled(line.window.focusPause);
  return line.headless ? runHeadless(application, line, program) : runWindowed(application, line, program);
}
