// Feeds arbitrary bytes to the reader of POST /v1/runs bodies and checks what
// must always hold: it never fails other than by a refusal; a refusal names
// "malformed" or "bad-field" and says what is wrong; what it takes has a
// player id of 32 lower-case hex digits and two name words in the lists'
// range, and written back as JSON it reads to the same post.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz_check.hpp"
#include "server/run_post.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const std::variant<RunPost, RequestProblem> read = readRunPost(body);
  if (const auto* problem = std::get_if<RequestProblem>(&read)) {
    check(problem->error == "malformed" || problem->error == "bad-field", "a refusal's word");
    check(!problem->message.empty(), "a refusal says why");
    return 0;
  }
  const RunPost& post = std::get<RunPost>(read);
  check(isPlayerId(post.player), "a player id");
  for (const int32_t word : post.name) check(word >= 0 && word < NameWordLimit, "a name word in range");
  const std::string written =
      nlohmann::json{{"token", post.token}, {"player", post.player}, {"name", {post.name[0], post.name[1]}}}.dump();
  const auto again = readRunPost(written);
  check(std::holds_alternative<RunPost>(again), "written back, taken again");
  const RunPost& same = std::get<RunPost>(again);
  check(same.token == post.token && same.player == post.player && same.name == post.name, "read back the same");
  return 0;
}
