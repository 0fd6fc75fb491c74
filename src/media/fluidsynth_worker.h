#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "media/fluidsynth_loaded_tune.h"
#include "media/fluidsynth_tune_device.h"

namespace velune {

// The device's worker thread and the FluidSynth objects that it owns. The window's thread
// posts commands; the worker carries them out in order. The tune is loaded and unloaded
// by the worker only; other threads reach it under engine_mutex_, and only while the
// worker has it on show.
class FluidSynthTuneDevice::Worker {
 public:
  using Kind = Call;
  struct Command {
    Kind kind;
    std::shared_ptr<const TuneToLoad> tune;  // kOpen only
  };

  explicit Worker(Options options);
  ~Worker();
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  void Post(Command command);
  // True once every command posted so far has been carried out.
  bool CaughtUp() const { return done_.load() == posted_.load(); }
  Sound Settle();
  // Whether the tune's position has reached its end; nothing while no tune is on show.
  std::optional<bool> Over();
  void Render(float* left, float* right, int frames);
  Measurements LastMeasurements();

 private:
  void Run();
  void Carry(const Command& command);
  bool WaitBeforeFirstLoad();
  bool Superseded();
  void SetSound(Sound sound);
  static int OnTick(void* data, int tick);
  void Load(const TuneToLoad& tune);
  void Unload();

  const Options options_;

  std::mutex mutex_;
  std::condition_variable wake_;  // a command was posted, or the device goes
  std::condition_variable idle_;  // the worker carried out what was posted
  std::deque<Command> queue_;
  std::atomic<std::uint64_t> posted_ = 0;  // commands posted, written under mutex_
  std::atomic<std::uint64_t> done_ = 0;    // commands carried out, written under mutex_
  bool quit_ = false;
  bool loaded_before_ = false;  // a tune was opened before: no more waiting
  Sound sound_ = Sound::kNone;
  Measurements measurements_;

  std::mutex engine_mutex_;
  std::optional<LoadedTune> loaded_;  // the tune on show
  std::atomic<std::uint64_t> position_ = 0;
  std::atomic<bool> rewinding_ = false;
  std::atomic<std::uint64_t> length_ticks_ = 0;

  std::thread thread_;  // last: it starts when all the above is ready
};

}  // namespace velune
