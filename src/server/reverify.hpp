// quandrel-server --reverify: every stored run proven again, as after a
// revision of the rules. A run that no longer proves is hidden (kept, but off
// the leaderboard); one that proves again comes back; a changed result is
// stored. Safe beside running servers: each run is revised in its own write.
#pragma once

#include <cstdint>

#include "server/run_store.hpp"

struct ReverifyCount {
  int64_t proven = 0;   // runs proven again
  int64_t proves = 0;   // of them, still proving (shown)
  int64_t changed = 0;  // of those, with a result other than the one stored, or shown again
  int64_t hidden = 0;   // no longer proving
};

ReverifyCount reverifyRuns(RunStore& store);
