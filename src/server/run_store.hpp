// Where the leaderboard keeps its runs: one small interface, an SQLite and a
// PostgreSQL implementation. Every write is committed before it returns, so a
// caller answers only for what is kept. Two unique keys hold the rules in the
// database itself: one run per player per day, and a token once per day.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A player's name: indices into the colour words and the creature words.
using NameWords = std::array<int32_t, 2>;

// What the replay worked out, as the leaderboard ranks it.
struct ProvenResult {
  int32_t score = 0;
  int32_t stars = 0;
  uint32_t timeMs = 0;
  bool operator==(const ProvenResult&) const = default;
};

// A proven run to keep.
struct NewRun {
  int32_t day = 0;
  std::string player;  // 32 lower-case hex digits
  NameWords name{};
  std::string token;  // as the token codec writes it, one spelling per run
  ProvenResult result;
};

// A run's place on its day: ranks count from 1, in the order score down, time
// up, earlier acceptance first; `of` is the number of runs on the day.
struct Placement {
  int64_t run = 0;
  int32_t day = 0;
  int64_t rank = 0;
  int64_t of = 0;
  ProvenResult result;
};

struct PostOutcome {
  enum class Kind { Kept, SecondRun, Copied };
  Kind kind = Kind::Kept;
  // The new run's place when kept, the player's kept run's on a second run.
  Placement placement;
};

struct LeaderboardRow {
  int64_t rank = 0;
  NameWords name{};
  ProvenResult result;
  int64_t run = 0;
  bool operator==(const LeaderboardRow&) const = default;
};

struct Leaderboard {
  int32_t day = 0;
  int64_t of = 0;
  std::vector<LeaderboardRow> rows;    // the top ones
  std::vector<LeaderboardRow> around;  // the player's row and its neighbours; empty without one
};

struct StoredRun {
  int64_t run = 0;
  int32_t day = 0;
  std::string token;
  NameWords name{};
  ProvenResult result;
  bool hidden = false;
};

// A database that cannot be reached or written; the request fails, nothing is
// acknowledged.
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A write that met another at the same moment and may be tried again: a
// deadlock or a serialization failure, or a conflicting run gone before it was read.
class StoreConflict : public StoreError {
 public:
  using StoreError::StoreError;
};

class RunStore {
 public:
  virtual ~RunStore() = default;
  virtual PostOutcome post(const NewRun& run) = 0;
  // The day's top `limit` rows, and the rows around `player`'s run when given.
  virtual Leaderboard leaderboard(int32_t day, int32_t limit, const std::optional<std::string>& player) = 0;
  // A run on the leaderboard (hidden runs are not).
  virtual std::optional<StoredRun> run(int64_t id) = 0;
  // Removes every run of `player`; returns how many there were.
  virtual int64_t deletePlayer(const std::string& player) = 0;
  // Up to `count` runs, hidden ones too, with ids above `after`, in id order.
  virtual std::vector<StoredRun> runsAfter(int64_t after, int32_t count) = 0;
  // A run proven again: its new result, or hidden when it no longer proves.
  virtual void revise(int64_t id, const std::optional<ProvenResult>& proven) = 0;
};

// "sqlite:PATH" or "postgresql://..." (also "postgres://..."); throws StoreError.
std::unique_ptr<RunStore> openRunStore(const std::string& database);
