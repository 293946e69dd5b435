// CMzApp: the one application object and its message loop.
#include "platform/mz_app.hpp"

#include "platform/message_loop.hpp"

int32_t CMzApp::Init() { return 1; }
int32_t CMzApp::Run() { return runMessageLoop(); }
int32_t CMzApp::Shutdown() { return 0; }
bool CMzApp::PreTranslateMessage() { return false; }
