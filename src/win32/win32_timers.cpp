#include "win32/win32_timers.h"

namespace velune {
namespace {

constexpr TimerId kAll[] = {TimerId::kTimIve, TimerId::kTimQst, TimerId::kBgmCheck};

UINT_PTR EventOf(TimerId id) { return static_cast<UINT_PTR>(id) + 1; }  // 0 is no event

}  // namespace

void Win32Timers::Arm(TimerId id, bool enabled, int interval_ms) {
  // Setting a timer again starts its count anew, as the game expects.
  if (enabled && interval_ms > 0) {
    SetTimer(window_, EventOf(id), static_cast<UINT>(interval_ms), nullptr);
  } else {
    KillTimer(window_, EventOf(id));
  }
}

void Win32Timers::StopAll() {
  for (const TimerId id : kAll) KillTimer(window_, EventOf(id));
}

std::optional<TimerId> Win32Timers::OfEvent(WPARAM event) {
  for (const TimerId id : kAll) {
    if (EventOf(id) == event) return id;
  }
  return std::nullopt;
}

}  // namespace velune
