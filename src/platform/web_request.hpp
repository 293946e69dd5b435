// A request to a web service and its reply: the host service that carries
// the leaderboard's messages. A host sends without waiting, and the reply
// comes back later on the game's thread as an event.
#pragma once

#include <cstdint>
#include <string>

struct WebRequest {
  enum class Method : uint8_t { Get, Post };
  Method method = Method::Get;
  std::string url;
  std::string body;  // sent as JSON with a post
};

struct WebReply {
  uint32_t request = 0;  // the number the host gave the request
  int32_t status = 0;    // the HTTP status; 0 when no answer came (no connection, a timeout)
  std::string body;
};

// The longest a request may take, from connecting to the last byte of its
// reply; a longer one ends as no answer.
inline constexpr uint32_t WebRequestTimeoutMs = 15000;
inline constexpr uint32_t WebConnectTimeoutMs = 5000;
// The longest reply body taken; a longer one ends as no answer.
inline constexpr size_t WebReplyMaxBytes = 1024 * 1024;
