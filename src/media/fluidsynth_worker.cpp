#include "media/fluidsynth_worker.h"

#include <algorithm>
#include <chrono>

#include "media/fluidsynth_system.h"

namespace velune {
namespace {

using Clock = std::chrono::steady_clock;

// A tune up to this long is rendered whole when it opens and played from memory (16-bit
// stereo: 88 kB a second at 22.05 kHz, 10.6 MB at most): a short background tune plays
// over and over, and synthesizing every round anew would keep a processor busy for
// nothing. A longer one is synthesized as it plays.
constexpr std::int64_t kLongestRenderedTuneMs = 2 * 60 * 1000;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

FluidSynthTuneDevice::Worker::Worker(Options options)
    : options_(std::move(options)), thread_([this] { Run(); }) {}

FluidSynthTuneDevice::Worker::~Worker() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    queue_.clear();  // whatever is still to do is moot now
  }
  wake_.notify_all();
  thread_.join();
}

void FluidSynthTuneDevice::Worker::Post(Command command) {
  {
    std::lock_guard lock(mutex_);
    if (command.kind == Kind::kOpen) sound_ = Sound::kStarting;
    queue_.push_back(std::move(command));
    ++posted_;
  }
  wake_.notify_all();
}

FluidSynthTuneDevice::Sound FluidSynthTuneDevice::Worker::Settle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return done_.load() == posted_; });
  return sound_;
}

std::optional<bool> FluidSynthTuneDevice::Worker::Over() {
  std::lock_guard lock(engine_mutex_);
  if (!loaded_) return std::nullopt;
  if (loaded_->rendered) return loaded_->rendered->Over();
  // Until a seek to the start shows in the player's position, it is the old one.
  return !rewinding_ && position_ >= length_ticks_;
}

void FluidSynthTuneDevice::Worker::Render(float* left, float* right, int frames) {
  if (frames <= 0) return;
  std::lock_guard lock(engine_mutex_);
  if (loaded_ && !loaded_->driver) {
    if (loaded_->rendered) return loaded_->rendered->Fill(left, right, frames);
    Fluid().fluid_synth_write_float(loaded_->synth.get(), frames, left, 0, 1, right, 0, 1);
    return;
  }
  std::fill(left, left + frames, 0.0F);
  std::fill(right, right + frames, 0.0F);
}

FluidSynthTuneDevice::Measurements FluidSynthTuneDevice::Worker::LastMeasurements() {
  std::lock_guard lock(mutex_);
  return measurements_;
}

void FluidSynthTuneDevice::Worker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    if (quit_) break;
    std::deque<Command> batch;
    batch.swap(queue_);
    const std::uint64_t last = posted_.load();
    lock.unlock();
    // An open or a close undoes all that came before it.
    auto first = batch.begin();
    for (auto it = batch.begin(); it != batch.end(); ++it) {
      if (it->kind == Kind::kOpen || it->kind == Kind::kClose) first = it;
    }
    for (auto it = first; it != batch.end(); ++it) Carry(*it);
    lock.lock();
    done_ = last;
    idle_.notify_all();
  }
  lock.unlock();
  Unload();
}

void FluidSynthTuneDevice::Worker::Carry(const Command& command) {
  // Only this thread changes loaded_: it reads it without the lock.
  RenderedTune* rendered = loaded_ ? loaded_->rendered.get() : nullptr;
  fluid_player_t* player = loaded_ ? loaded_->player.get() : nullptr;
  switch (command.kind) {
    case Kind::kOpen:
      Unload();
      if (WaitBeforeFirstLoad()) Load(*command.tune);
      break;
    case Kind::kClose:
      Unload();
      SetSound(Sound::kNone);
      break;
    case Kind::kPlay:
      if (rendered != nullptr) rendered->Play();
      if (player != nullptr) Fluid().fluid_player_play(player);
      break;
    case Kind::kStop:
      if (rendered != nullptr) rendered->Stop();
      if (player != nullptr) Fluid().fluid_player_stop(player);
      break;
    case Kind::kSeek:
      if (rendered != nullptr) rendered->Rewind();
      if (player != nullptr) {
        // The player carries out a seek at its next turn; until then it reports the old
        // position. Stopping first keeps it from playing on from there meanwhile.
        rewinding_ = true;
        Fluid().fluid_player_stop(player);
        Fluid().fluid_player_seek(player, 0);
      }
      break;
  }
}

// Before the first tune, the wait that the options ask for; false when the device goes
// meanwhile.
bool FluidSynthTuneDevice::Worker::WaitBeforeFirstLoad() {
  std::unique_lock lock(mutex_);
  if (!loaded_before_) {
    loaded_before_ = true;
    wake_.wait_for(lock, options_.first_load_delay, [this] { return quit_; });
  }
  return !quit_;
}

// True when the device goes or an open or a close waits: what is being loaded now will
// not play.
bool FluidSynthTuneDevice::Worker::Superseded() {
  std::lock_guard lock(mutex_);
  return quit_ || std::any_of(queue_.begin(), queue_.end(), [](const Command& command) {
           return command.kind == Kind::kOpen || command.kind == Kind::kClose;
         });
}

void FluidSynthTuneDevice::Worker::SetSound(Sound sound) {
  std::lock_guard lock(mutex_);
  sound_ = sound;
}

// Called by the player, on the thread that renders, each time the tune moves on.
int FluidSynthTuneDevice::Worker::OnTick(void* data, int tick) {
  auto* worker = static_cast<Worker*>(data);
  const std::uint64_t position = tick < 0 ? 0 : static_cast<std::uint64_t>(tick);
  worker->position_ = position;
  if (position < worker->length_ticks_) worker->rewinding_ = false;
  return FLUID_OK;
}

void FluidSynthTuneDevice::Worker::Load(const TuneToLoad& tune) {
  position_ = 0;
  rewinding_ = false;
  length_ticks_ = tune.length_ticks;
  Measurements measured;
  Clock::time_point start = Clock::now();
  std::optional<LoadedTune> loaded;
  if (LoadQuietFluidSynth() != nullptr) loaded = MakeSynthesizer(options_, tune, OnTick, this);
  measured.synth_ms = MsSince(start);

  start = Clock::now();
  measured.soundfont = options_.soundfont.empty() ? FindSoundfont() : options_.soundfont;
  const bool ready = loaded && ReadyInstruments(*loaded, tune, measured.soundfont);
  measured.soundfont_ms = MsSince(start);
  if (!ready) return SetSound(Sound::kQuiet);

  if (options_.render_ahead && tune.length_ms <= kLongestRenderedTuneMs) {
    start = Clock::now();
    const bool rendered = RenderAhead(*loaded, tune.length_ms, options_.sample_rate,
                                      [this] { return !Superseded(); });
    measured.render_ms = MsSince(start);
    if (!rendered) return;  // the device goes, or another tune comes
  }

  start = Clock::now();
  const auto driver = StartOutput(*loaded, options_);
  measured.output_ms = MsSince(start);
  // Nobody would hear it: play nothing rather than render sound for nowhere.
  if (!driver) return SetSound(Sound::kQuiet);
  measured.driver = *driver;

  {
    std::lock_guard lock(engine_mutex_);
    loaded_ = std::move(loaded);
  }
  std::lock_guard lock(mutex_);
  sound_ = Sound::kSounding;
  measurements_ = measured;
}

void FluidSynthTuneDevice::Worker::Unload() {
  std::optional<LoadedTune> loaded;
  {
    std::lock_guard lock(engine_mutex_);
    loaded.swap(loaded_);
  }
}  // what was on show is deleted here, out of the lock, its sound output first

}  // namespace velune
