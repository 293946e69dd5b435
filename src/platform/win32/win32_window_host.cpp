// Opening the window, turning window messages into host events, and showing frames.
#include "platform/win32/win32_window_host.hpp"

#include <windowsx.h>

#include <algorithm>
#include <iostream>
#include <span>
#include <utility>

#include "platform/announcements.hpp"
#include "platform/canvas.hpp"
#include "platform/language/language.hpp"
#include "platform/system/utf.hpp"
#include "platform/services/window_request_win32.hpp"
#include "platform/win32/sapi_voice.hpp"
#include "platform/win32/win32_host.hpp"
#include "platform/window_size.hpp"

namespace {

constexpr const wchar_t* WindowTitle = L"Quandrel";
constexpr const char16_t* DefaultClassName = u"Quandrel";
constexpr DWORD WindowedStyle = WS_OVERLAPPEDWINDOW;
constexpr int32_t MinimumClientWidth = Canvas::Width / 2;
constexpr int32_t MinimumClientHeight = Canvas::Height / 2;
constexpr int IconResource = 1;  // quandrel.rc
constexpr LPARAM KeyWasDown = LPARAM{1} << 30;  // a key message's auto-repeat bit

uint32_t modifiersNow() {
  uint32_t modifiers = 0;
  if (::GetKeyState(VK_MENU) < 0) modifiers |= MzKeyModAlt;
  if (::GetKeyState(VK_CONTROL) < 0) modifiers |= MzKeyModCtrl;
  if (::GetKeyState(VK_SHIFT) < 0) modifiers |= MzKeyModShift;
  return modifiers;
}

RECT workArea() {
  RECT area{0, 0, Canvas::Width, Canvas::Height};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

// Whether a window can be made at all: the game's own window is made later,
// under the class name the game gives it. (Wine without an X display has none.)
bool windowsCanBeMade() {
  WNDCLASSEXW probeClass{};
  probeClass.cbSize = sizeof(probeClass);
  probeClass.lpfnWndProc = ::DefWindowProcW;
  probeClass.hInstance = ::GetModuleHandleW(nullptr);
  probeClass.lpszClassName = L"QuandrelDisplayProbe";
  ::RegisterClassExW(&probeClass);
  const HWND probe = ::CreateWindowExW(0, probeClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr,
                                       probeClass.hInstance, nullptr);
  if (probe == nullptr) return false;
  ::DestroyWindow(probe);
  return ::GetSystemMetrics(SM_CXSCREEN) > 0;
}

}  // namespace

std::unique_ptr<Host> createWin32Host(const WindowOptions& options, std::string& error) {
  if (!windowsCanBeMade()) {
    error = "cannot open a window (no display)";
    return nullptr;
  }
  return std::make_unique<Win32WindowHost>(options);
}

Win32WindowHost::Win32WindowHost(const WindowOptions& options)
    : options_(options),
      wakeEvent_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      pixels_(static_cast<size_t>(Canvas::Width) * Canvas::Height, 0),
      letterbox_(Canvas::Width, Canvas::Height, Canvas::Width, Canvas::Height),
      speech_(makeSapiVoice, std::cerr) {
  // Waits and timers to the millisecond, as the game's timers expect.
  ::timeBeginPeriod(1);
  LARGE_INTEGER ticks{};
  LARGE_INTEGER frequency{};
  ::QueryPerformanceCounter(&ticks);
  ::QueryPerformanceFrequency(&frequency);
  startTicks_ = static_cast<uint64_t>(ticks.QuadPart);
  ticksPerSecond_ = static_cast<uint64_t>(frequency.QuadPart);
}

Win32WindowHost::~Win32WindowHost() {
  web_.stop();  // its worker sets the wake event: it ends before the event goes
  keepScreenAwake(false);
  if (window_) ::DestroyWindow(window_);
  ::CloseHandle(wakeEvent_);
  ::timeEndPeriod(1);
}

uint64_t Win32WindowHost::nowMs() {
  LARGE_INTEGER ticks{};
  ::QueryPerformanceCounter(&ticks);
  const uint64_t elapsed = static_cast<uint64_t>(ticks.QuadPart) - startTicks_;
  return elapsed / ticksPerSecond_ * 1000 + elapsed % ticksPerSecond_ * 1000 / ticksPerSecond_;
}

void Win32WindowHost::nameWindow(std::u16string_view className) { ensureWindow(className); }

void Win32WindowHost::ensureWindow(std::u16string_view className) {
  if (window_) return;
  className_.assign(className.begin(), className.end());
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &Win32WindowHost::windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IconResource));
  windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = className_.c_str();
  ::RegisterClassExW(&windowClass);

  const RECT area = workArea();
  const WindowSize size = startingWindowSize(options_.scale, area.right - area.left, area.bottom - area.top);
  RECT frame{0, 0, size.width, size.height};
  ::AdjustWindowRectEx(&frame, WindowedStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = area.left + std::max(0L, (area.right - area.left - width) / 2);
  const int top = area.top + std::max(0L, (area.bottom - area.top - height) / 2);
  window_ = ::CreateWindowExW(0, className_.c_str(), WindowTitle, WindowedStyle, left, top, width, height, nullptr,
                              nullptr, instance, this);
  if (window_ && options_.fullscreen) toggleFullscreen();
}

LRESULT CALLBACK Win32WindowHost::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* host = static_cast<Win32WindowHost*>(create->lpCreateParams);
    host->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
  }
  auto* host = reinterpret_cast<Win32WindowHost*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (host == nullptr || host->window_ != window) return ::DefWindowProcW(window, message, wParam, lParam);
  return host->handle(message, wParam, lParam);
}

LRESULT Win32WindowHost::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HostEvent event;
  switch (message) {
    case WM_CLOSE:
      event.kind = HostEvent::Kind::Close;
      pending_.push_back(event);
      return 0;
    case WM_ACTIVATE:
      event.kind = LOWORD(wParam) == WA_INACTIVE ? HostEvent::Kind::FocusLost : HostEvent::Kind::FocusGained;
      pending_.push_back(event);
      break;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        event.kind = HostEvent::Kind::FocusLost;
        pending_.push_back(event);
      }
      relayout();
      ::InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      RECT minimum{0, 0, MinimumClientWidth, MinimumClientHeight};
      ::AdjustWindowRectEx(&minimum, WindowedStyle, FALSE, 0);
      limits->ptMinTrackSize = {minimum.right - minimum.left, minimum.bottom - minimum.top};
      return 0;
    }
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paintStruct{};
      const HDC dc = ::BeginPaint(window_, &paintStruct);
      paint(dc);
      ::EndPaint(window_, &paintStruct);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (handleKey(wParam, (lParam & KeyWasDown) != 0)) return 0;
      break;
    case WM_SYSCHAR:
      if (wParam == VK_RETURN) return 0;  // Alt+Return is ours: no beep
      break;
    case WM_LBUTTONDOWN:
      ::SetCapture(window_);
      pointer(HostEvent::Kind::PointerDown, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      pointer(HostEvent::Kind::PointerMove, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      pointer(HostEvent::Kind::PointerUp, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      ::ReleaseCapture();
      return 0;
    // Touch and pen (the mouse keeps its own messages): the primary contact is the finger.
    case WM_POINTERDOWN:
    case WM_POINTERUPDATE:
    case WM_POINTERUP: {
      if (!IS_POINTER_PRIMARY_WPARAM(wParam)) return 0;
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ::ScreenToClient(window_, &at);
      const HostEvent::Kind kind = message == WM_POINTERDOWN   ? HostEvent::Kind::PointerDown
                                   : message == WM_POINTERUP ? HostEvent::Kind::PointerUp
                                                             : HostEvent::Kind::PointerMove;
      pointer(kind, at.x, at.y);
      return 0;
    }
    case WM_COPYDATA: {
      const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (copy->dwData != services::kWindowRequestCopyTag) break;
      const std::span bytes(static_cast<const uint8_t*>(copy->lpData), copy->cbData);
      return services::deliverWindowRequest(bytes) ? TRUE : FALSE;
    }
    case WM_SYSCOMMAND:
      // Play holds off the screen saver and the display's power-down.
      if (awake_ && ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER)) return 0;
      // Alt or F10 alone would open the window menu and take the next keys from the game.
      if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) return 0;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

bool Win32WindowHost::handleKey(WPARAM virtualKey, bool repeated) {
  const auto code = static_cast<uint32_t>(virtualKey);
  const uint32_t modifiers = modifiersNow();
  if (togglesFullscreen(code, modifiers)) {
    if (!repeated) toggleFullscreen();
    return true;
  }
  const MzKey key = keyForVirtualKey(code);
  if (key == MzKey::Unknown) return false;  // Alt+F4 and the like stay Windows'
  HostEvent event;
  event.kind = HostEvent::Kind::Key;
  event.key = key;
  event.modifiers = modifiers;
  pending_.push_back(event);
  return true;
}

void Win32WindowHost::pointer(HostEvent::Kind kind, int32_t x, int32_t y) {
  std::optional<HostEvent> event;
  if (kind == HostEvent::Kind::PointerDown) event = finger_.press(letterbox_, x, y);
  if (kind == HostEvent::Kind::PointerMove) event = finger_.move(letterbox_, x, y);
  if (kind == HostEvent::Kind::PointerUp) event = finger_.release(letterbox_, x, y);
  if (event) pending_.push_back(*event);
}

bool Win32WindowHost::waitEvent(uint64_t deadlineMs, HostEvent& event) {
  for (;;) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    if (!pending_.empty()) {
      event = pending_.front();
      pending_.pop_front();
      return true;
    }
    if (WebReply reply; web_.takeReply(reply)) {
      event = webReplyEvent(std::move(reply));
      return true;
    }
    const uint64_t now = nowMs();
    gamepads_.poll(now);
    if (const auto button = gamepads_.nextPress()) {
      event = HostEvent{};
      event.kind = HostEvent::Kind::Pad;
      event.pad = *button;
      return true;
    }
    if (now >= deadlineMs) return false;
    const uint64_t wakeAt = std::min(deadlineMs, gamepads_.nextWakeMs().value_or(UINT64_MAX));
    // Sleeps in the system until a message, a wake or the moment: no polling.
    const DWORD timeout = wakeAt - now >= INFINITE ? INFINITE : static_cast<DWORD>(wakeAt - now);
    if (::MsgWaitForMultipleObjectsEx(1, &wakeEvent_, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0) {
      event = HostEvent{};
      event.kind = HostEvent::Kind::Wake;
      return true;
    }
  }
}

void Win32WindowHost::present(const Canvas& frame, const MzRect& dirty) {
  ensureWindow(DefaultClassName);
  const int32_t left = hasFrame_ ? std::max(dirty.left, 0) : 0;
  const int32_t top = hasFrame_ ? std::max(dirty.top, 0) : 0;
  const int32_t right = hasFrame_ ? std::min(dirty.right, Canvas::Width) : Canvas::Width;
  const int32_t bottom = hasFrame_ ? std::min(dirty.bottom, Canvas::Height) : Canvas::Height;
  if (left >= right || top >= bottom) return;
  // The canvas holds R, G, B, A bytes; a Windows bitmap B, G, R and a spare byte.
  for (int32_t y = top; y < bottom; ++y) {
    const uint32_t* from = frame.pixels() + static_cast<size_t>(y) * Canvas::Width;
    uint32_t* to = pixels_.data() + static_cast<size_t>(y) * Canvas::Width;
    for (int32_t x = left; x < right; ++x) {
      const uint32_t rgba = from[x];
      to[x] = (rgba & 0xFF00FF00u) | ((rgba & 0xFFu) << 16) | ((rgba >> 16) & 0xFFu);
    }
  }
  hasFrame_ = true;
  const HDC dc = ::GetDC(window_);
  paint(dc);
  ::ReleaseDC(window_, dc);
}

void Win32WindowHost::paint(HDC dc) {
  RECT client{};
  ::GetClientRect(window_, &client);
  const RECT picture{letterbox_.x(), letterbox_.y(), letterbox_.x() + letterbox_.width(),
                     letterbox_.y() + letterbox_.height()};
  const auto black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  const RECT bars[] = {{client.left, client.top, client.right, picture.top},
                       {client.left, picture.bottom, client.right, client.bottom},
                       {client.left, picture.top, picture.left, picture.bottom},
                       {picture.right, picture.top, client.right, picture.bottom}};
  for (const RECT& bar : bars) {
    if (bar.right > bar.left && bar.bottom > bar.top) ::FillRect(dc, &bar, black);
  }
  if (!hasFrame_) {
    ::FillRect(dc, &picture, black);
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = Canvas::Width;
  info.bmiHeader.biHeight = -Canvas::Height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // Whole multiples are drawn with nearest pixels (crisp); other sizes smoothed.
  ::SetStretchBltMode(dc, letterbox_.integerScale() ? COLORONCOLOR : HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchDIBits(dc, picture.left, picture.top, letterbox_.width(), letterbox_.height(), 0, 0, Canvas::Width,
                  Canvas::Height, pixels_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void Win32WindowHost::relayout() {
  RECT client{};
  ::GetClientRect(window_, &client);
  // Per-monitor DPI aware: client coordinates are the screen's pixels.
  letterbox_ = Letterbox(client.right, client.bottom, client.right, client.bottom);
}

void Win32WindowHost::toggleFullscreen() {
  if (!fullscreen_) {
    placement_.length = sizeof(placement_);
    ::GetWindowPlacement(window_, &placement_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    ::SetWindowLongPtrW(window_, GWL_STYLE, WS_POPUP | (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE));
    const RECT& screen = monitor.rcMonitor;
    ::SetWindowPos(window_, HWND_TOP, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                   SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
  } else {
    ::SetWindowLongPtrW(window_, GWL_STYLE, WindowedStyle | (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE));
    ::SetWindowPlacement(window_, &placement_);
    ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
  }
  fullscreen_ = !fullscreen_;
  relayout();
  ::InvalidateRect(window_, nullptr, FALSE);
}

void Win32WindowHost::playSound(const std::string& path, bool loop) { audio_.play(path, loop); }

void Win32WindowHost::prepareSound(const std::string& path) { audio_.prepare(path); }

void Win32WindowHost::announce(std::string_view text, AnnouncementPriority priority) {
  if (speechEnabled()) speech_.speak(text, priority, activeLanguage());
}

void Win32WindowHost::pulse(HapticPulse pulse) { gamepads_.rumble(hapticPattern(pulse), nowMs()); }

void Win32WindowHost::showWindow(bool show) {
  ensureWindow(DefaultClassName);
  ::ShowWindow(window_, show ? SW_SHOW : SW_HIDE);
}

void Win32WindowHost::raiseWindow() {
  ensureWindow(DefaultClassName);
  if (::IsIconic(window_)) ::ShowWindow(window_, SW_RESTORE);
  ::SetForegroundWindow(window_);
  ::BringWindowToTop(window_);
}

void Win32WindowHost::wake() { ::SetEvent(wakeEvent_); }

void Win32WindowHost::keepScreenAwake(bool awake) {
  if (awake == awake_) return;
  awake_ = awake;
  ::SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

ShareOutcome Win32WindowHost::shareText(const std::string& text) {
  const std::u16string wide = utf16FromUtf8(text);
  const size_t bytes = (wide.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return ShareOutcome::Failed;
  void* target = ::GlobalLock(memory);
  std::copy_n(wide.c_str(), wide.size() + 1, static_cast<char16_t*>(target));
  ::GlobalUnlock(memory);
  if (!::OpenClipboard(window_)) {
    ::GlobalFree(memory);
    return ShareOutcome::Failed;
  }
  ::EmptyClipboard();
  const bool handed = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  ::CloseClipboard();
  if (!handed) ::GlobalFree(memory);  // the clipboard owns it only when it took it
  return handed ? ShareOutcome::Copied : ShareOutcome::Failed;
}

uint32_t Win32WindowHost::sendWebRequest(const WebRequest& request) { return web_.send(request); }

std::string Win32WindowHost::clipboardText() {
  if (!::OpenClipboard(window_)) return {};
  std::string text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const char16_t*>(::GlobalLock(data))) {
      text = utf8FromUtf16(wide);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}
