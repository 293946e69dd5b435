// The UI library's application class and its entry function.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

class CMzApp {
 public:
  CMzApp() = default;
  virtual ~CMzApp() = default;
  CMzApp(const CMzApp&) = delete;
  CMzApp& operator=(const CMzApp&) = delete;

  // 1: the application started and the message loop runs; 0: refused.
  virtual int32_t Init();
  // The message loop; returns the exit code given to PostQuitMessage.
  virtual int32_t Run();
  virtual int32_t Shutdown();
  virtual bool PreTranslateMessage();
};

// The entry function: reads the command line, picks the host (window or
// headless), gets the one CMzApp object from `application`, calls its Init,
// runs the message loop only when Init returned non-zero, then calls
// Shutdown. Returns the process's exit code. `version` is the program's,
// shown by --version.
//
// `application` is called only once the program is about to run on a ready
// host: --help, --version, a wrong command line and a start that fails (no
// display, an unreadable script) return before, so whatever the application
// object does when it is built (the game loads and later saves its settings
// file) never happens for them.
//
// `listRecords` answers --records the same way, before any application object
// exists: it writes the player's records to `out` (errors to `errors`) without
// changing any file and returns the exit status. Without it, --records says
// the program keeps no records and fails.
using RecordsListing = int (*)(std::ostream& out, std::ostream& errors);
//
// `verifyRun` answers --verify SOURCE alike: it proves the run SOURCE names
// (a token or link, a file, or "-" for `in`), writes one line to `out` or the
// reason to `errors`, and returns the exit status, writing no file.
using RunVerifier = int (*)(const std::string& source, std::istream& in, std::ostream& out, std::ostream& errors);
int WinMain(int argc, char** argv, const char* version, CMzApp& (*application)(),
            RecordsListing listRecords = nullptr, RunVerifier verifyRun = nullptr);

// The run given with --watch, for the game to open once it starts; empty when none.
const std::string& runToOpenAtStart();
void setRunToOpenAtStart(std::string run);
// The board given with --board, alike.
const std::string& boardToOpenAtStart();
void setBoardToOpenAtStart(std::string board);
