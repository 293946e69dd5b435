// The system services the settings rely on: text conversion for paths and the
// executable's path; and the web requests of the desktop and headless hosts.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <utility>
#include <thread>

#include "ini_test_support.hpp"
#include "platform/services/web_client.hpp"
#include "platform/system/executable_path.hpp"
#include "platform/system/utf.hpp"

namespace {

TEST(Utf, ConvertsEveryPlaneBothWays) {
  const std::string utf8 = "a\xC3\xA9\xE6\xB8\xB8\xF0\x9F\x8E\xB5z";
  const std::u16string utf16 = u"a\u00E9\u6E38\U0001F3B5z";
  EXPECT_EQ(utf16FromUtf8(utf8), utf16);
  EXPECT_EQ(utf8FromUtf16(utf16), utf8);
  EXPECT_EQ(utf16FromUtf8(""), u"");
}

TEST(Utf, UndecodableBytesSurviveTheRoundTrip) {
  const std::string names[] = {
      "\xFF\xFE", "caf\xE9.ini", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE6\xB8", "\xC3", "\x80x"};
  for (const std::string& name : names) {
    const std::u16string wide = utf16FromUtf8(name);
    for (char16_t unit : wide) {
      if (unit >= 0xD800 && unit <= 0xDFFF) {
        EXPECT_GE(unit, 0xDC80) << "escaped bytes are lone low surrogates";
      }
    }
    EXPECT_EQ(utf8FromUtf16(wide), name);
  }
}

TEST(Utf, OtherLoneSurrogatesBecomeTheReplacementCharacter) {
  EXPECT_EQ(utf8FromUtf16(u"\xD800x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(utf8FromUtf16(std::u16string(1, char16_t(0xDC10))), "\xEF\xBF\xBD");
  EXPECT_EQ(utf8FromUtf16(std::u16string{char16_t(0xDBFF)}), "\xEF\xBF\xBD");
}

TEST(ExecutablePath, ReadsLinkTargetsOfAnyLength) {
  TempDir dir;
  std::string target = "/";
  while (target.size() < 3000) target += std::string(200, 'x') + "/";
  target += "program";
  ASSERT_EQ(::symlink(target.c_str(), dir.file("link").c_str()), 0);
  EXPECT_EQ(symlinkTarget(dir.file("link")), target);
  EXPECT_EQ(symlinkTarget(dir.file("no-such-link")), "");
}

TEST(ExecutablePath, NamesTheRunningProgram) {
  const std::u16string path = executablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), u'/');
  EXPECT_EQ(::access(utf8FromUtf16(path).c_str(), X_OK), 0);
}

// A server of one connection on a free port of 127.0.0.1: it keeps the
// request it read and answers with `reply` (a whole HTTP response).
class OneReplyServer {
 public:
  explicit OneReplyServer(std::string reply) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    EXPECT_EQ(bind(listener_, reinterpret_cast<sockaddr*>(&address), size), 0);
    EXPECT_EQ(listen(listener_, 1), 0);
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    serving_ = std::async(std::launch::async, [this, reply = std::move(reply)] { return serve(reply); });
  }
  ~OneReplyServer() { close(listener_); }
  std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  // What the client sent: its head and body.
  std::string request() { return serving_.get(); }

 private:
  std::string serve(const std::string& reply) {
    const int connection = accept(listener_, nullptr, nullptr);
    std::string received;
    char buffer[4096];
    // The head, then as many bytes of body as it announces.
    for (;;) {
      const size_t headEnd = received.find("\r\n\r\n");
      if (headEnd != std::string::npos) {
        const size_t length = received.find("Content-Length: ");
        const size_t body = length == std::string::npos ? 0 : std::stoul(received.substr(length + 16));
        if (received.size() >= headEnd + 4 + body) break;
      }
      const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      received.append(buffer, static_cast<size_t>(got));
    }
    send(connection, reply.data(), reply.size(), 0);
    close(connection);
    return received;
  }

  int listener_ = -1;
  uint16_t port_ = 0;
  std::future<std::string> serving_;
};

WebReply nextReply(services::WebClient& client) {
  WebReply reply;
  while (!client.takeReply(reply)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return reply;
}

TEST(WebClient, CarriesAPostAndItsReplyThroughLibcurl) {
  OneReplyServer server("HTTP/1.1 201 Created\r\nContent-Type: application/json\r\nContent-Length: 10\r\n"
                        "Connection: close\r\n\r\n{\"rank\":1}");
  std::atomic<int> wakes = 0;
  services::WebClient client([&] { ++wakes; });
  EXPECT_EQ(client.send({WebRequest::Method::Post, server.url("/v1/runs"), R"({"token":"QRUN.a"})"}), 1u);
  const WebReply reply = nextReply(client);
  EXPECT_EQ(std::make_pair(reply.request, reply.status), std::make_pair(1u, 201));
  EXPECT_EQ(reply.body, "{\"rank\":1}");
  EXPECT_EQ(wakes, 1);
  EXPECT_EQ(client.outstanding(), 0u);
  const std::string request = server.request();
  EXPECT_TRUE(request.starts_with("POST /v1/runs HTTP/1.1\r\n")) << request;
  EXPECT_NE(request.find("\r\nContent-Type: application/json\r\n"), std::string::npos) << request;
  EXPECT_TRUE(request.ends_with("\r\n\r\n{\"token\":\"QRUN.a\"}")) << request;
}

TEST(WebClient, NoServerIsNoAnswerAndATooLongReplyIsNone) {
  // A port just closed again: nobody listens there.
  std::string closedUrl;
  {
    OneReplyServer gone("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    closedUrl = gone.url("/healthz");
    services::WebClient reach(nullptr);
    reach.send({WebRequest::Method::Get, closedUrl, ""});
    EXPECT_EQ(nextReply(reach).status, 200);
  }
  std::string huge(WebReplyMaxBytes + 1, 'x');
  OneReplyServer flood("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(huge.size()) + "\r\n\r\n" + huge);
  services::WebClient client(nullptr);
  client.send({WebRequest::Method::Get, closedUrl, ""});
  client.send({WebRequest::Method::Get, flood.url("/v1/days/8/board"), ""});
  client.send({WebRequest::Method::Get, "ftp://127.0.0.1/", ""});
  for (uint32_t number = 1; number <= 3; ++number) {
    const WebReply reply = nextReply(client);
    EXPECT_EQ(std::make_pair(reply.request, reply.status), std::make_pair(number, 0)) << number;
    EXPECT_EQ(reply.body, "") << number;
  }
}

TEST(WebClient, StoppingCutsTheRequestShortAndSendsNoMore) {
  std::promise<void> started;
  std::atomic<bool> arrivedAfterStop = false;
  bool stopped = false;
  services::WebClient client([&] { arrivedAfterStop = stopped; },
                             [&](const WebRequest&, const std::atomic<bool>& stopping) {
                               started.set_value();
                               while (!stopping) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                               return WebReply{0, 200, "late"};
                             });
  client.send({WebRequest::Method::Get, "http://127.0.0.1/slow", ""});
  client.send({WebRequest::Method::Get, "http://127.0.0.1/never", ""});
  started.get_future().wait();
  client.stop();
  stopped = true;
  WebReply reply;
  EXPECT_FALSE(client.takeReply(reply));
  EXPECT_FALSE(arrivedAfterStop);
  EXPECT_EQ(client.send({WebRequest::Method::Get, "http://127.0.0.1/after", ""}), 0u);
}

}  // namespace
