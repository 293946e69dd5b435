// The body of POST /v1/runs, read and checked before anything else is done:
// {"token": TEXT, "player": 32 lower-case hex digits, "name": [COLOUR, CREATURE]}.
// Fields besides these are ignored, so that a newer game can send more.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "server/run_store.hpp"

// The two word lists the names are drawn from hold at most this many words each.
inline constexpr int32_t NameWordLimit = 256;

struct RunPost {
  std::string token;
  std::string player;
  NameWords name{};
};

// Why a request was refused before anything was done: an error word and a message.
struct RequestProblem {
  std::string error;
  std::string message;
};

std::variant<RunPost, RequestProblem> readRunPost(std::string_view body);
// 32 lower-case hex digits: a player's random 128-bit id.
bool isPlayerId(std::string_view text);
