// Proving every stored run again.
#include "server/reverify.hpp"

#include "play/run_proof.hpp"

namespace {

constexpr int32_t RunsPerPage = 500;

// What a stored token proves to now; nothing when it no longer proves, or not
// as a run of its day at the normal time bar.
std::optional<ProvenResult> proveAgain(const StoredRun& run) {
  const RunVerdict verdict = verifyRunToken(run.token);
  if (!verdict.accepted() || verdict.result.day != run.day || verdict.result.timeMode != TimeMode::Normal)
    return std::nullopt;
  return ProvenResult{verdict.result.score, verdict.result.stars, verdict.result.timeMs};
}

}  // namespace

ReverifyCount reverifyRuns(RunStore& store) {
  ReverifyCount count;
  int64_t after = 0;
  for (;;) {
    const std::vector<StoredRun> page = store.runsAfter(after, RunsPerPage);
    if (page.empty()) return count;
    for (const StoredRun& run : page) {
      ++count.proven;
      const std::optional<ProvenResult> proven = proveAgain(run);
      if (!proven) {
        ++count.hidden;
        if (!run.hidden) store.revise(run.run, std::nullopt);
        continue;
      }
      ++count.proves;
      if (run.hidden || *proven != run.result) {
        ++count.changed;
        store.revise(run.run, proven);
      }
    }
    after = page.back().run;
  }
}
