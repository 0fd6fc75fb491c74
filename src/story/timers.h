#pragma once

namespace velune {

enum class TimerId { kTimIve, kTimQst, kBgmCheck };

// The host's real (or virtual) timers. The game calls Arm on every change of a timer's
// enabled flag or interval; enabling or setting the interval restarts the count, even
// when the value stays the same. An enabled timer with interval 0 delivers no ticks.
class TimerPort {
 public:
  virtual ~TimerPort() = default;
  virtual void Arm(TimerId id, bool enabled, int interval_ms) = 0;
};

// A timer control of the window: its state as plain data, armed through the port.
class Timer {
 public:
  Timer(TimerId id, bool enabled, int interval_ms)
      : id_(id), enabled_(enabled), interval_(interval_ms) {}

  void Attach(TimerPort* port) {
    port_ = port;
    Notify();
  }
  void SetEnabled(bool enabled) {
    enabled_ = enabled;
    Notify();
  }
  void SetInterval(int interval_ms) {
    interval_ = interval_ms;
    Notify();
  }
  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }

 private:
  void Notify() {
    if (port_ != nullptr) port_->Arm(id_, enabled_, interval_);
  }

  TimerId id_;
  bool enabled_;
  int interval_;
  TimerPort* port_ = nullptr;
};

}  // namespace velune
