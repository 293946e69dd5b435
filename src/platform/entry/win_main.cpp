// The entry function: reads the command line, makes the host, and runs the
// one application object on it.
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "platform/entry/command_line.hpp"
#include "platform/focus_pause.hpp"
#include "platform/headless/headless_host.hpp"
#include "platform/headless/paced_replay_host.hpp"
#include "platform/host.hpp"
#include "platform/language/language.hpp"
#include "platform/language_switch.hpp"
#include "platform/message_loop.hpp"
#include "platform/mz_app.hpp"
#include "platform/mz_functions.hpp"
#include "platform/session_recorder.hpp"
#if QUANDREL_HAVE_SDL
#include "platform/sdl/sdl_host.hpp"
#endif
#if QUANDREL_HAVE_WEB
#include "platform/web/page_loop.hpp"
#endif

namespace {

constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

std::string programName(const char* argv0) {
  const std::string path = argv0 ? argv0 : "quandrel";
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes the state the loop ended in, for comparing a session with its replay.
bool writeFinalState(const std::string& path, const std::string& program) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
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

#if QUANDREL_HAVE_SDL
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
    file.open(line.scriptPath);
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
#elif QUANDREL_HAVE_SDL
  std::ifstream recording;
  if (!line.replayPath.empty()) {
    recording.open(line.replayPath);
    if (!recording) {
      std::cerr << program << ": cannot read recording '" << line.replayPath << "'\n";
      return ExitUsage;
    }
  }
  std::string error;
  std::unique_ptr<Host> host = createSdlHost(line.window, error);
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
  const std::string program = programName(argc > 0 ? argv[0] : nullptr);
  const CommandLine line = parseCommandLine(argc, argv);
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
  const std::string language = line.language.empty() ? languageFromEnvironment() : line.language;
  if (std::string error; !setActiveLanguage(language, error))
    std::cerr << program << ": " << error << "; texts show untranslated\n";
  setLanguageNamedForRun(!line.language.empty());
  MzSetParam(1, line.animate ? 1 : 0);
  setFocusPauseEnabled(line.window.focusPause);
  return line.headless ? runHeadless(application, line, program) : runWindowed(application, line, program);
}
