#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "story/timers.h"

namespace velune {

// The game's three timers on a virtual clock that starts at 0 ms. A timer fires every
// `interval` ms counted from when it was last enabled or had its interval set; ticks due
// at the same instant run in the order their timers were last (re)started.
class VirtualClock : public TimerPort {
 public:
  std::int64_t Now() const { return now_; }
  void Arm(TimerId id, bool enabled, int interval_ms) override;

  // Runs every tick due up to and including `until`, in time order, then sets the clock
  // to `until`. `tick` returns false to stop at once (the game has ended).
  bool AdvanceTo(std::int64_t until, const std::function<bool(TimerId)>& tick);

  // True when timer `id` is enabled with an interval above 0, so that it ticks in time.
  bool Fires(TimerId id) const;
  // When timer `id` ticks next, while it fires.
  std::int64_t Due(TimerId id) const { return slots_[static_cast<std::size_t>(id)].due; }
  int Interval(TimerId id) const { return slots_[static_cast<std::size_t>(id)].interval; }
  // Drops the next `count` ticks of timer `id`, as though they had run and done nothing.
  void SkipTicks(TimerId id, std::int64_t count);

 private:
  struct Slot {
    bool enabled = false;
    int interval = 0;
    std::int64_t due = 0;
    std::uint64_t started = 0;  // the order of the last (re)start
  };
  std::array<Slot, 3> slots_{};
  std::int64_t now_ = 0;
  std::uint64_t starts_ = 0;
};

}  // namespace velune
