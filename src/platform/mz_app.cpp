// CMzApp: the one application object and its message loop.
#include "platform/mz_app.hpp"

#include <ostream>

#include "platform/message_loop.hpp"

namespace {
constinit CMzApp* theApp = nullptr;
}

CMzApp::CMzApp() { theApp = this; }

CMzApp::~CMzApp() {
  if (theApp == this) theApp = nullptr;
}

int32_t CMzApp::Init() { return 1; }
int32_t CMzApp::Run() { return runMessageLoop(); }
int32_t CMzApp::Shutdown() { return 0; }
bool CMzApp::PreTranslateMessage() { return false; }

int32_t CMzApp::PrintRecords(std::ostream&, std::ostream& errors) {
  errors << "this program keeps no records\n";
  return 1;
}

CMzApp* CMzApp::instance() { return theApp; }
