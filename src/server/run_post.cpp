// Reading the body of POST /v1/runs.
#include "server/run_post.hpp"

#include <nlohmann/json.hpp>

namespace {

RequestProblem badField(std::string message) { return RequestProblem{"bad-field", std::move(message)}; }

}  // namespace

bool isPlayerId(std::string_view text) {
  if (text.size() != 32) return false;
  for (const char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

std::variant<RunPost, RequestProblem> readRunPost(std::string_view body) {
  const nlohmann::json json = nlohmann::json::parse(body, nullptr, false);
  if (json.is_discarded()) return RequestProblem{"malformed", "the body is not JSON"};
  if (!json.is_object()) return RequestProblem{"malformed", "the body is not a JSON object"};
  RunPost post;
  const auto token = json.find("token");
  if (token == json.end() || !token->is_string()) return badField("token: the run's token is needed, as text");
  post.token = token->get<std::string>();
  const auto player = json.find("player");
  if (player == json.end() || !player->is_string() || !isPlayerId(player->get_ref<const std::string&>()))
    return badField("player: the player's id is needed, 32 lower-case hex digits");
  post.player = player->get<std::string>();
  const auto name = json.find("name");
  const std::string nameNeeded =
      "name: two word numbers are needed, each from 0 to " + std::to_string(NameWordLimit - 1);
  if (name == json.end() || !name->is_array() || name->size() != 2) return badField(nameNeeded);
  for (size_t i = 0; i < 2; ++i) {
    const nlohmann::json& word = (*name)[i];
    if (!word.is_number_integer() || word.get<int64_t>() < 0 || word.get<int64_t>() >= NameWordLimit)
      return badField(nameNeeded);
    post.name[i] = static_cast<int32_t>(word.get<int64_t>());
  }
  return post;
}
