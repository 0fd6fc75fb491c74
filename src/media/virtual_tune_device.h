#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "media/tune_device.h"

namespace velune {

// A tune device on a virtual clock: it plays nothing, but knows the tune's length and
// says playing from a play until that many ms have passed, stopped from then on.
class VirtualTuneDevice : public TuneDevice {
 public:
  using Clock = std::function<std::int64_t()>;  // the current time in ms
  explicit VirtualTuneDevice(Clock now) : now_(std::move(now)) {}

  bool Open(const std::string& path) override;
  void Close() override;
  void Play() override;
  void Stop() override;
  void SeekToStart() override;
  Mode GetMode() override;

  // While the tune plays: the time at which it reaches its end, from when it reads stopped.
  std::optional<std::int64_t> PlaysUntil() const;

 private:
  Clock now_;
  std::optional<std::int64_t> length_ms_;      // set while open
  std::optional<std::int64_t> playing_since_;  // set while playing
};

}  // namespace velune
