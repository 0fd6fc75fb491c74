#pragma once

#include <set>
#include <string>
#include <vector>

#include "story/mci_port.h"
#include "story/picture_port.h"
#include "story/timers.h"

namespace velune::testing {

// Pictures that load when their path is in `loadable`.
class FakePictures : public PicturePort {
 public:
  bool Load(const std::string& path) override {
    loads.push_back(path);
    if (loadable.count(path) == 0) return false;
    current = path;
    return true;
  }
  void StretchToArea() override { drawn.push_back(current); }

  std::set<std::string> loadable;
  std::vector<std::string> loads;
  std::vector<std::string> drawn;  // what each redraw showed ("" before any picture)
  std::string current;
};

// Records every command and answers the status query with `status`.
class FakeMci : public MciPort {
 public:
  int SendString(std::string_view command, char* reply, int reply_length) override {
    commands.emplace_back(command);
    if (reply != nullptr && !status.empty()) {
      const std::size_t n = std::min(status.size(), static_cast<std::size_t>(reply_length));
      status.copy(reply, n);
      reply[n] = '\0';
    }
    return 0;
  }
  std::vector<std::string> commands;
  std::string status;
};

struct ArmCall {
  TimerId id;
  bool enabled;
  int interval;
};

class RecordingTimers : public TimerPort {
 public:
  void Arm(TimerId id, bool enabled, int interval_ms) override {
    arms.push_back({id, enabled, interval_ms});
  }
  std::vector<ArmCall> arms;
};

}  // namespace velune::testing
