#include "tool/virtual_clock.h"

namespace velune {

void VirtualClock::Arm(TimerId id, bool enabled, int interval_ms) {
  Slot& slot = slots_[static_cast<std::size_t>(id)];
  slot.enabled = enabled;
  slot.interval = interval_ms;
  slot.due = now_ + interval_ms;
  slot.started = ++starts_;
}

bool VirtualClock::AdvanceTo(std::int64_t until, const std::function<bool(TimerId)>& tick) {
  for (;;) {
    Slot* next = nullptr;
    for (Slot& slot : slots_) {
      if (!slot.enabled || slot.interval <= 0 || slot.due > until) continue;
      if (next == nullptr || slot.due < next->due ||
          (slot.due == next->due && slot.started < next->started)) {
        next = &slot;
      }
    }
    if (next == nullptr) break;
    now_ = next->due;
    next->due += next->interval;  // a handler that re-arms the timer counts from now instead
    if (!tick(static_cast<TimerId>(next - slots_.data()))) return false;
  }
  now_ = until;
  return true;
}

bool VirtualClock::Fires(TimerId id) const {
  const Slot& slot = slots_[static_cast<std::size_t>(id)];
  return slot.enabled && slot.interval > 0;
}

void VirtualClock::SkipTicks(TimerId id, std::int64_t count) {
  Slot& slot = slots_[static_cast<std::size_t>(id)];
  slot.due += count * slot.interval;
}

}  // namespace velune
