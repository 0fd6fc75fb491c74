#include "media/null_tune_device.h"

#include "media/tune_file.h"

namespace velune {

bool NullTuneDevice::Open(const std::string& path) {
  Close();
  const auto bytes = ReadTuneFile(path);
  const auto facts = bytes ? ReadMidiFacts(*bytes) : std::nullopt;
  if (facts) OpenTune(*facts);
  return facts.has_value();
}

void NullTuneDevice::OpenTune(const MidiFacts& facts) {
  open_ = true;
  playing_ = false;
  endless_ = facts.length_ticks > 0;
}

void NullTuneDevice::Close() { open_ = playing_ = false; }

void NullTuneDevice::Play() { playing_ = open_; }

void NullTuneDevice::Stop() { playing_ = false; }

void NullTuneDevice::SeekToStart() { playing_ = false; }

TuneDevice::Mode NullTuneDevice::GetMode() {
  if (!open_) return Mode::kClosed;
  return playing_ && endless_ ? Mode::kPlaying : Mode::kStopped;
}

}  // namespace velune
