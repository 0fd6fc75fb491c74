#pragma once

#include "win32/windows_api.h"

#include <optional>

#include "story/timers.h"

namespace velune {

// The game's timers as the window's own Win32 timers: each ticks as WM_TIMER to `window`
// with its event number, while it is enabled with an interval above 0.
class Win32Timers : public TimerPort {
 public:
  explicit Win32Timers(HWND window) : window_(window) {}
  void Arm(TimerId id, bool enabled, int interval_ms) override;
  void StopAll();

  // The game's timer of a WM_TIMER's event number, if it is one of them.
  static std::optional<TimerId> OfEvent(WPARAM event);

 private:
  HWND window_;
};

}  // namespace velune
