// A web request through WinHTTP's synchronous calls, on the web client's
// worker thread: bounded in time and size; a client stopping is heard between
// the calls, and WinHTTP's timeouts bound each call.
#include <windows.h>
#include <winhttp.h>

#include "platform/services/web_client.hpp"
#include "platform/system/utf.hpp"

namespace services {
namespace {

// A WinHTTP handle closed when it goes.
struct Handle {
  HINTERNET handle = nullptr;
  explicit Handle(HINTERNET h) : handle(h) {}
  ~Handle() {
    if (handle != nullptr) ::WinHttpCloseHandle(handle);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  explicit operator bool() const { return handle != nullptr; }
};

std::wstring wide(std::string_view text) {
  const std::u16string utf16 = utf16FromUtf8(text);
  return std::wstring(utf16.begin(), utf16.end());
}

// The body, unless the client stops or the reply grows past its bound.
bool readBody(HINTERNET request, const std::atomic<bool>& stopping, std::string& body) {
  for (;;) {
    if (stopping) return false;
    DWORD available = 0;
    if (!::WinHttpQueryDataAvailable(request, &available)) return false;
    if (available == 0) return true;
    if (body.size() + available > WebReplyMaxBytes) return false;
    const size_t at = body.size();
    body.resize(at + available);
    DWORD read = 0;
    if (!::WinHttpReadData(request, body.data() + at, available, &read)) return false;
    body.resize(at + read);
  }
}

}  // namespace

WebReply transferWebRequest(const WebRequest& request, const std::atomic<bool>& stopping) {
  WebReply reply;
  const std::wstring url = wide(request.url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!::WinHttpCrackUrl(url.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
    return reply;
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";

  const Handle session(::WinHttpOpen(L"Quandrel", WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                     WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return reply;
  const int receiveMs = static_cast<int>(WebRequestTimeoutMs);
  ::WinHttpSetTimeouts(session.handle, static_cast<int>(WebConnectTimeoutMs), static_cast<int>(WebConnectTimeoutMs),
                       receiveMs, receiveMs);
  const Handle connection(::WinHttpConnect(session.handle, host.c_str(), parts.nPort, 0));
  if (!connection) return reply;
  const bool post = request.method == WebRequest::Method::Post;
  const DWORD secure = parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0;
  const Handle call(::WinHttpOpenRequest(connection.handle, post ? L"POST" : L"GET", path.c_str(), nullptr,
                                         WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, secure));
  if (!call) return reply;
  const wchar_t* headers = post ? L"Accept: application/json\r\nContent-Type: application/json\r\n"
                                : L"Accept: application/json\r\n";
  const auto bodyBytes = static_cast<DWORD>(request.body.size());
  void* body = post ? const_cast<char*>(request.body.data()) : WINHTTP_NO_REQUEST_DATA;
  if (stopping || !::WinHttpSendRequest(call.handle, headers, static_cast<DWORD>(-1L), body, post ? bodyBytes : 0,
                                        post ? bodyBytes : 0, 0) ||
      !::WinHttpReceiveResponse(call.handle, nullptr))
    return reply;
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!::WinHttpQueryHeaders(call.handle, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    return reply;
  std::string text;
  if (!readBody(call.handle, stopping, text)) return reply;
  reply.status = static_cast<int32_t>(status);
  reply.body = std::move(text);
  return reply;
}

}  // namespace services
