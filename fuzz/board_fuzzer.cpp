// Feeds arbitrary text to the board token reader and checks what must always
// hold: an accepted board is one a player could make, with its run in tick
// order; it is written back as exactly the token that was read, and reads
// back the same; and its proof either clears it or refuses it.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "play/run_proof.hpp"
#include "runs/board_token.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  runs::Run run;
  const runs::RunRefusal refusal = runs::decodeBoardToken(text, run);
  if (size > runs::MaxTokenBytes) check(refusal == runs::RunRefusal::TooLarge, "a long text is too large");
  if (refusal != runs::RunRefusal::Accepted) {
    check(run == runs::Run{}, "a refused token leaves the run alone");
    return 0;
  }
  check(run.board.has_value() && boardIsValid(*run.board), "a board a player could make");
  check(run.day == 0 && run.level == 0, "a board's run has no day");
  for (size_t i = 1; i < run.actions.size(); ++i)
    check(run.actions[i - 1].tickMs <= run.actions[i].tickMs, "actions in tick order");
  const std::string written = runs::encodeBoardToken(run);
  check(written == runs::boardTokenFromLink(text), "one spelling per board");
  runs::Run again;
  check(runs::decodeBoardToken(written, again) == runs::RunRefusal::Accepted && again == run, "written back, read back");
  const RunVerdict verdict = verifyBoardToken(written);
  check(verdict.accepted() || verdict.refusal == runs::RunRefusal::ImpossibleMove ||
            verdict.refusal == runs::RunRefusal::Unproven,
        "a proof clears the board or refuses it");
  if (verdict.accepted()) check(verdict.result.claimed && verdict.result.stars >= 1, "a clear has its stars");
  return 0;
}
