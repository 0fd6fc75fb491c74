#include "media/virtual_tune_device.h"

#include "media/midi_length.h"
#include "media/tune_file.h"

namespace velune {

bool VirtualTuneDevice::Open(const std::string& path) {
  Close();
  const auto bytes = ReadTuneFile(path);
  if (!bytes) return false;
  length_ms_ = MidiLengthMs(*bytes);
  return length_ms_.has_value();
}

void VirtualTuneDevice::Close() {
  length_ms_.reset();
  playing_since_.reset();
}

void VirtualTuneDevice::Play() {
  if (length_ms_) playing_since_ = now_();
}

void VirtualTuneDevice::Stop() { playing_since_.reset(); }

void VirtualTuneDevice::SeekToStart() { playing_since_.reset(); }

TuneDevice::Mode VirtualTuneDevice::GetMode() {
  if (!length_ms_) return Mode::kClosed;
  if (playing_since_ && now_() < *playing_since_ + *length_ms_) return Mode::kPlaying;
  return Mode::kStopped;
}

std::optional<std::int64_t> VirtualTuneDevice::PlaysUntil() const {
  if (!length_ms_ || !playing_since_) return std::nullopt;
  return *playing_since_ + *length_ms_;
}

}  // namespace velune
