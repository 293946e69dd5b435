// Window requests on Windows: FindWindowW on the class name, the record sent in a
// WM_COPYDATA message, and the listener the window's procedure hands it to.
#include <windows.h>

#include <mutex>
#include <string>

#include "platform/services/window_listener.hpp"
#include "platform/services/window_request.hpp"
#include "platform/services/window_request_win32.hpp"

namespace services {
namespace {

std::mutex& handlerMutex() {
  static std::mutex mutex;
  return mutex;
}

// The one listening handler of this process; empty while none listens.
WindowRequestListener::Handler& listeningHandler() {
  static WindowRequestListener::Handler handler;
  return handler;
}

HWND findWindow(std::u16string_view className) {
  if (className.empty()) return nullptr;
  const std::wstring name(className.begin(), className.end());
  return ::FindWindowW(name.c_str(), nullptr);
}

}  // namespace

bool findWindowByClassName(std::u16string_view className) { return findWindow(className) != nullptr; }

bool sendWindowRequest(std::u16string_view className, const WindowRequest& request,
                       std::chrono::milliseconds timeout) {
  const HWND window = findWindow(className);
  if (window == nullptr) return false;
  // Windows lets a program take the foreground only when the one in front allows it.
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  ::AllowSetForegroundWindow(processId);
  auto record = encodeWindowRequest(request);
  COPYDATASTRUCT copy{};
  copy.dwData = kWindowRequestCopyTag;
  copy.cbData = static_cast<DWORD>(record.size());
  copy.lpData = record.data();
  DWORD_PTR result = 0;
  const UINT wait = timeout.count() > 0 ? static_cast<UINT>(timeout.count()) : 1;
  return ::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, wait,
                               &result) != 0 &&
         result == TRUE;
}

bool deliverWindowRequest(std::span<const std::uint8_t> bytes) {
  const auto request = decodeWindowRequest(bytes);
  if (!request) return false;
  std::lock_guard guard(handlerMutex());
  if (!listeningHandler()) return false;
  listeningHandler()(*request);
  return true;
}

// The window's procedure is the listener here: no thread and no socket of its own.
std::unique_ptr<WindowRequestListener> WindowRequestListener::start(std::u16string_view className,
                                                                    Handler handler) {
  if (className.empty() || !handler) return nullptr;
  std::lock_guard guard(handlerMutex());
  if (listeningHandler()) return nullptr;
  listeningHandler() = handler;
  return std::unique_ptr<WindowRequestListener>(new WindowRequestListener(-1, -1, std::move(handler)));
}

WindowRequestListener::WindowRequestListener(int listeningSocket, int stopEvent, Handler handler)
    : listeningSocket_(listeningSocket), stopEvent_(stopEvent), handler_(std::move(handler)) {}

WindowRequestListener::~WindowRequestListener() {
  std::lock_guard guard(handlerMutex());
  listeningHandler() = nullptr;
}

}  // namespace services
