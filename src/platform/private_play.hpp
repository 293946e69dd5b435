// A game played out of sight on a clock of its own: while a PrivatePlay is
// entered, window timers, the game clock (GetTickCount), the host, the random
// generator and the vibration switch are its own, and windows created inside
// it are never shown nor given input. Leaving it gives the program's back
// untouched, so a run can be proven in the middle of a live game.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class PrivatePlay {
 public:
  PrivatePlay();
  ~PrivatePlay();
  PrivatePlay(const PrivatePlay&) = delete;
  PrivatePlay& operator=(const PrivatePlay&) = delete;

  // Entered for the lifetime of the scope. Scopes of one PrivatePlay do not nest.
  class Scope {
   public:
    explicit Scope(PrivatePlay& play);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    PrivatePlay& play_;
  };

  // Its clock, in milliseconds from 0.
  uint64_t nowMs() const;
  // Fires, in the message loop's order, each of its timers due at or before
  // `ms`, each at its own moment, then sets its clock to `ms`; `afterTimer`
  // runs after each. Only inside a Scope.
  void advanceTo(uint64_t ms, const std::function<void()>& afterTimer = {});

  struct State;

 private:
  std::unique_ptr<State> state_;
};
