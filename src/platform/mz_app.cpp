// CMzApp: the one application object and its message loop.
#include "platform/mz_app.hpp"

#include <utility>

#include "platform/message_loop.hpp"

int32_t CMzApp::Init() { return 1; }
int32_t CMzApp::Run() { return runMessageLoop(); }
int32_t CMzApp::Shutdown() { return 0; }
bool CMzApp::PreTranslateMessage() { return false; }

namespace {
std::string& runToOpen() {
  static std::string run;
  return run;
}
std::string& boardToOpen() {
  static std::string board;
  return board;
}
}  // namespace

const std::string& runToOpenAtStart() { return runToOpen(); }
void setRunToOpenAtStart(std::string run) { runToOpen() = std::move(run); }
const std::string& boardToOpenAtStart() { return boardToOpen(); }
void setBoardToOpenAtStart(std::string board) { boardToOpen() = std::move(board); }
