// Requests to the phone shell over its apps-ask queue: the game announces its main window
// at start-up and its end at shutdown. Each returns whether it was written to the queue.
#pragma once

#include "platform/mz_types.hpp"
#include "shell/apps_ask_request.hpp"

// Writes one request to "/QueueNameOffAppsAskShellEvent" without waiting.
bool SendAppsAskShell(const AppsAskShellRequest& request);

// Code 10 with the main window's handle; a null handle sends nothing.
bool AppsAskShellAppStart(WindowHandle mainWindow);

// Code 11.
bool AppsAskShellAppExit();
