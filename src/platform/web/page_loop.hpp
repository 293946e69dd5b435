// The application in a browser page: the page's timeout and handlers run the
// message loop, and the page's handlers feed the host.
#pragma once

class CMzApp;

// Calls the application's Init and hands the loop to the page, which stands
// in for CMzApp::Run. Returns only when Init refused to start:
// the quit message later ends the program from the page's loop, after
// Shutdown.
int runInPage(CMzApp& app);
