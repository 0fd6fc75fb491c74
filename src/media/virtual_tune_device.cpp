#include "media/virtual_tune_device.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "media/midi_length.h"

namespace velune {
namespace {

constexpr std::uintmax_t kLargestTune = 16 * 1024 * 1024;

}  // namespace

bool VirtualTuneDevice::Open(const std::string& path) {
  Close();
  const std::filesystem::path file_path(std::u8string(path.begin(), path.end()));
  std::error_code error;
  const auto size = std::filesystem::file_size(file_path, error);
  if (error || size > kLargestTune) return false;
  std::ifstream file(file_path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) return false;
  length_ms_ = MidiLengthMs(bytes);
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
