// A web request through libcurl's easy interface, on the web client's worker
// thread: bounded in time and size, and cut short when the client stops.
#include <curl/curl.h>

#include <mutex>

#include "platform/services/web_client.hpp"

namespace services {
namespace {

struct Transfer {
  std::string body;
  bool tooLarge = false;
};

size_t keepBody(char* data, size_t size, size_t count, void* userData) {
  auto& transfer = *static_cast<Transfer*>(userData);
  const size_t bytes = size * count;
  if (transfer.body.size() + bytes > WebReplyMaxBytes) {
    transfer.tooLarge = true;
    return 0;  // ends the transfer
  }
  transfer.body.append(data, bytes);
  return bytes;
}

int checkStopping(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::atomic<bool>*>(userData)->load() ? 1 : 0;
}

}  // namespace

WebReply transferWebRequest(const WebRequest& request, const std::atomic<bool>& stopping) {
  // libcurl's global set-up is not thread-safe: once, before the first request.
  static std::once_flag started;
  std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  WebReply reply;
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return reply;
  Transfer transfer;
  curl_slist* headers = nullptr;
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(WebConnectTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(WebRequestTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, keepBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, checkStopping);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(&stopping));
  headers = curl_slist_append(headers, "Accept: application/json");
  if (request.method == WebRequest::Method::Post) {
    headers = curl_slist_append(headers, "Content-Type: application/json");
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.body.size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.c_str());
  }
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  if (curl_easy_perform(curl) == CURLE_OK && !transfer.tooLarge) {
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    reply.status = static_cast<int32_t>(status);
    reply.body = std::move(transfer.body);
  }
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return reply;
}

}  // namespace services
