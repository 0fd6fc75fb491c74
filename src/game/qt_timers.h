#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "story/timers.h"

namespace velune {

// The game's three timers on Qt's clock. Each arming restarts the count; an enabled
// timer with interval 0 delivers no ticks at all (a full page waits for a click, not
// for Qt's zero-interval timer, which would fire all the time); a tick never starts
// while another tick is being handled, even when that handler runs a nested event loop.
class QtTimers : public QObject, public TimerPort {
 public:
  explicit QtTimers(std::function<void(TimerId)> on_tick, QObject* parent = nullptr);

  void Arm(TimerId id, bool enabled, int interval_ms) override;
  // The game has ended: no timer ticks any more, whatever is armed afterwards.
  void StopAll();
  // Whether ticks of the timer are coming (enabled with an interval above 0).
  bool Ticking(TimerId id) const;

 private:
  void Tick(TimerId id);

  std::function<void(TimerId)> on_tick_;
  std::array<QTimer, 3> timers_;
  bool in_tick_ = false;
  bool stopped_ = false;
};

}  // namespace velune
