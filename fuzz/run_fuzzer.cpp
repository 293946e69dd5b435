// Feeds arbitrary text to the run token reader and checks what must always
// hold: text over the limit is refused as too large; an accepted run has its
// fields in range and its actions in tick order; and it is written back as
// exactly the token that was read (one spelling per run), which reads back as
// the same run. Every accepted run is then proven: it ends proven with a
// result in range, or refused as an impossible move or a damaged day's level.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "play/run_proof.hpp"
#include "rules/level_table.hpp"
#include "runs/run_token.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  runs::Run run;
  const runs::RunRefusal refusal = runs::decodeRunToken(text, run);
  if (size > runs::MaxTokenBytes) check(refusal == runs::RunRefusal::TooLarge, "a long text is too large");
  check(!runs::refusalText(refusal).empty() || refusal == runs::RunRefusal::Accepted, "every refusal says why");
  if (refusal != runs::RunRefusal::Accepted) {
    check(run == runs::Run{}, "a refused token leaves the run alone");
    return 0;
  }
  check(run.formatVersion >= 1 && run.formatVersion <= runs::RunFormatVersion, "a known format");
  check(run.rulesRevision == runs::RulesRevision, "this game's rules");
  check(run.day >= 1 && run.level >= FirstLevel && run.level <= LevelCount, "a day and a level");
  check(static_cast<size_t>(run.timeMode) < TimeModeCount, "a time mode");
  for (size_t i = 1; i < run.actions.size(); ++i)
    check(run.actions[i - 1].tickMs <= run.actions[i].tickMs, "actions in tick order");
  check(runs::playTimeMs(run) <= (run.actions.empty() ? 0 : run.actions.back().tickMs), "play time within the run");
  const std::string written = runs::encodeRunToken(run);
  check(written == runs::tokenFromLink(text), "one spelling per run");
  runs::Run again;
  check(runs::decodeRunToken(written, again) == runs::RunRefusal::Accepted && again == run, "written back, read back");
  const RunVerdict verdict = verifyRun(run);
  check(verdict.accepted() || verdict.refusal == runs::RunRefusal::ImpossibleMove ||
            verdict.refusal == runs::RunRefusal::Damaged,
        "a proof proves or refuses the moves");
  if (verdict.accepted()) {
    const runs::RunResult& result = verdict.result;
    check(result.day == run.day && result.level == run.level && result.timeMode == run.timeMode, "what was proven");
    check(result.stars >= 0 && result.stars <= 3 && (result.stars > 0) == result.claimed, "stars only for a claim");
    check(result.shots >= 0 && result.timeMs == runs::playTimeMs(run), "shots and time");
  }
  return 0;
}
