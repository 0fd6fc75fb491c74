#include "game/qt_timers.h"

#include <cstddef>

namespace velune {

QtTimers::QtTimers(std::function<void(TimerId)> on_tick, QObject* parent)
    : QObject(parent), on_tick_(std::move(on_tick)) {
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    QTimer& timer = timers_[i];
    timer.setTimerType(Qt::PreciseTimer);
    const auto id = static_cast<TimerId>(i);
    connect(&timer, &QTimer::timeout, this, [this, id] { Tick(id); });
  }
}

void QtTimers::Arm(TimerId id, bool enabled, int interval_ms) {
  QTimer& timer = timers_[static_cast<std::size_t>(id)];
  if (stopped_ || !enabled || interval_ms <= 0) {
    timer.stop();
    return;
  }
  timer.start(interval_ms);  // starts the count afresh
}

void QtTimers::StopAll() {
  stopped_ = true;
  for (QTimer& timer : timers_) timer.stop();
}

bool QtTimers::Ticking(TimerId id) const {
  return timers_[static_cast<std::size_t>(id)].isActive();
}

void QtTimers::Tick(TimerId id) {
  if (in_tick_ || stopped_) return;  // this tick is dropped; the next one comes on time
  in_tick_ = true;
  on_tick_(id);
  in_tick_ = false;
}

}  // namespace velune
