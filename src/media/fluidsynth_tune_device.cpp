#include "media/fluidsynth_tune_device.h"

#include "media/fluidsynth_worker.h"
#include "media/midi_file.h"
#include "media/tune_file.h"

namespace velune {

FluidSynthTuneDevice::Options FluidSynthTuneDevice::WindowOptions() {
  Options options;
  options.first_load_delay = std::chrono::milliseconds(200);
  return options;
}

FluidSynthTuneDevice::FluidSynthTuneDevice() : FluidSynthTuneDevice(Options{}) {}

FluidSynthTuneDevice::FluidSynthTuneDevice(Options options) {
  worker_ = std::make_unique<Worker>(std::move(options));
}

FluidSynthTuneDevice::~FluidSynthTuneDevice() = default;

bool FluidSynthTuneDevice::Open(const std::string& path) {
  Close();
  const auto bytes = ReadTuneFile(path);
  // FluidSynth's player takes neither RIFF MIDI files, nor chunks of other types, nor SMPTE
  // time.
  auto tune = bytes ? QuarterNoteMidiFile(*bytes) : std::nullopt;
  auto facts = tune ? ReadMidiFacts(*bytes) : std::nullopt;
  if (!facts) return false;
  silent_.OpenTune(*facts);
  worker_->Post(
      {Call::kOpen, std::make_shared<const TuneToLoad>(TuneToLoad{
                        std::move(tune->bytes), std::move(facts->programs), facts->length_ticks,
                        facts->length_ms, facts->channels, tune->fixed_us_per_quarter})});
  return true;
}

void FluidSynthTuneDevice::Close() { PassOn(Call::kClose, &NullTuneDevice::Close); }

void FluidSynthTuneDevice::Play() { PassOn(Call::kPlay, &NullTuneDevice::Play); }

void FluidSynthTuneDevice::Stop() { PassOn(Call::kStop, &NullTuneDevice::Stop); }

void FluidSynthTuneDevice::SeekToStart() { PassOn(Call::kSeek, &NullTuneDevice::SeekToStart); }

void FluidSynthTuneDevice::PassOn(Call call, void (NullTuneDevice::*answer)()) {
  if (silent_.GetMode() == Mode::kClosed) return;
  (silent_.*answer)();
  worker_->Post({call, nullptr});
}

TuneDevice::Mode FluidSynthTuneDevice::GetMode() {
  const Mode mode = silent_.GetMode();
  // Until the worker has carried out the play, the tune is as good as at its start; and
  // a tune that cannot be heard plays on as the null device says.
  if (mode != Mode::kPlaying || !worker_->CaughtUp()) return mode;
  return worker_->Over().value_or(false) ? Mode::kStopped : Mode::kPlaying;
}

void FluidSynthTuneDevice::Render(float* left, float* right, int frames) {
  worker_->Render(left, right, frames);
}

FluidSynthTuneDevice::Sound FluidSynthTuneDevice::Settle() { return worker_->Settle(); }

FluidSynthTuneDevice::Measurements FluidSynthTuneDevice::LastMeasurements() const {
  return worker_->LastMeasurements();
}

}  // namespace velune
