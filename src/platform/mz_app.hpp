// The UI library's application class and its entry function.
#pragma once

#include <cstdint>
#include <iosfwd>

class CMzApp {
 public:
  // Registers this object as the program's one application object.
  CMzApp();
  virtual ~CMzApp();
  CMzApp(const CMzApp&) = delete;
  CMzApp& operator=(const CMzApp&) = delete;

  // 1: the application started and the message loop runs; 0: refused.
  virtual int32_t Init();
  // The message loop; returns the exit code given to PostQuitMessage.
  virtual int32_t Run();
  virtual int32_t Shutdown();
  virtual bool PreTranslateMessage();
  // --records: writes the player's records to `out` without opening a window
  // or changing any file; returns the exit status. An application that keeps
  // none says so and fails.
  virtual int32_t PrintRecords(std::ostream& out, std::ostream& errors);

  static CMzApp* instance();
};

// The entry function: reads the command line, picks the host (window or
// headless), finds the one CMzApp object, calls its Init, runs the message
// loop only when Init returned non-zero, then calls Shutdown. Returns the
// process's exit code. `version` is the program's, shown by --version.
int WinMain(int argc, char** argv, const char* version);
