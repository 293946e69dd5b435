// What one step of play caused, in the order it happened, for the window to
// show and sound and for a proof to time: a small fixed list, never allocated.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum class EffectKind : uint8_t {
  Sound,                // value: the sound's number
  Pulse,                // value: a PlayPulse
  TimeBarRestarted,     // the bar is full again and its clock restarted
  TimeBarClockStarted,  // the bar's clock runs on from where it stood
  TimeBarClockStopped,
  TimeBarMoved,
  ShotLaunched,  // value: the shot's colour; the shot's clock restarted
  ShotMoved,
  ShotGone,        // the shot fell past the board and is hidden
  PreviewChanged,  // the preview shows the next colour
  TubeChanged,     // value: the slot
  ScoreChanged,
  Lightning,   // a tube was spoiled: the lightning starts
  CloudDrift,  // value: how many clouds drift, or -1 to keep the last count
  KeyEarned,   // value: the key
  PurchaseLooks,  // the purchase buttons show whether the score affords them
  RepairDimmed,
  BuyDimmed,
  PassLit,        // the level can be claimed
  LevelPassed,    // value: 1 on the attempt's first claim
  GameOverShown,  // the lost attempt's screen (again, while it stays lost)
  SprayerMoved,  // value: where it stood
};

// Numbers of the sounds play asks for.
namespace PlaySound {
inline constexpr int32_t shot = 1;
inline constexpr int32_t claim = 3;
inline constexpr int32_t completed = 4;
inline constexpr int32_t spoiled = 5;
inline constexpr int32_t repaired = 6;
}  // namespace PlaySound

// The vibration pulses play asks for.
enum class PlayPulse : int32_t { Spoil, Complete, GameOver };

// Left unset until added: a list is made at every tick, so it costs nothing to make.
struct Effect {
  EffectKind kind;
  int32_t value;
};

class Effects {
 public:
  // More than any one step causes: a shot's tick that completes a colour with
  // every key comes to fifteen.
  static constexpr size_t Capacity = 24;

  void add(EffectKind kind, int32_t value = 0) {
    if (count_ < Capacity) items_[count_++] = Effect{kind, value};
  }
  bool has(EffectKind kind) const {
    for (size_t i = 0; i < count_; ++i) {
      if (items_[i].kind == kind) return true;
    }
    return false;
  }
  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const Effect* begin() const { return items_.data(); }
  const Effect* end() const { return items_.data() + count_; }

 private:
  std::array<Effect, Capacity> items_;
  size_t count_ = 0;
};
