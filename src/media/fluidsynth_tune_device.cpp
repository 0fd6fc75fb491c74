#include "media/fluidsynth_tune_device.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "media/alsa_messages.h"
#include "media/fluidsynth_library.h"
#include "media/midi_file.h"
#include "media/midi_length.h"
#include "media/rendered_tune.h"
#include "media/soundfont_subset_loader.h"

namespace velune {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uintmax_t kLargestTune = 16 * 1024 * 1024;

// With dynamic sample loading an instrument is read from the soundfont when a channel
// first chooses it, and dropped when no channel holds it any more. The tune's program
// changes would do that on the audio thread, while it plays. So before the tune starts,
// the channels that it leaves unused hold its instruments, and their samples stay loaded.
constexpr int kChannels = 16;  // FluidSynth's player knows no more
constexpr int kDrumChannel = 9;
constexpr int kDrumBank = 128;

// FluidSynth's default of 0.2 leaves General MIDI tunes rather faint.
constexpr double kGain = 0.5;

// Background music needs no short latency: larger periods wake the audio thread less.
// FluidSynth's largest period, 8192 frames (371 ms at 22.05 kHz), brings the wake-ups of
// its sound output and the sound server's client thread from about 290 a second (2048
// frames at 44.1 kHz) to about 25 while the game waits for a click; the tune's own
// commands are not delayed (a stop or close drops what the sound server still holds).
constexpr int kPeriodFrames = 8192;
constexpr int kPeriods = 2;

// A background tune of a few instruments sounds a few dozen voices at once (the bundled
// waltz at most 58, release tails included); FluidSynth's default of 256 holds some
// 1.5 MB more for voices that never sound.
constexpr int kPolyphony = 128;

// A tune up to this long is rendered whole when it opens and played from memory (16-bit
// stereo: 88 kB a second at 22.05 kHz, 10.6 MB at most); a longer one is synthesized as it
// plays. Rendering the bundled waltz takes about half a second of one processor, once;
// synthesizing it as it plays took 1.5 % of one all the time.
constexpr std::int64_t kLongestRenderedTuneMs = 2 * 60 * 1000;
// The echo of the last notes that is rendered after the tune's end, at most.
constexpr double kLongestEchoS = 3;
constexpr int kRenderBlock = 512;

// General MIDI soundfonts where Debian and other systems install them; tried after the
// soundfont that FluidSynth itself loads by default.
constexpr const char* kSoundfontPlaces[] = {
    "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/soundfonts/default.sf2",    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

// Sound outputs in the order they are tried: the desktop's sound server first (PulseAudio,
// which PipeWire also serves, then PipeWire's own), then the driver that FluidSynth
// chooses by default, then the sound systems of Linux and macOS. Never the drivers that
// write a file or need a studio sound server.
constexpr const char* kSoundServers[] = {"pulseaudio", "pipewire"};
constexpr const char* kSoundSystems[] = {"alsa", "coreaudio"};
constexpr const char* kNeverTried[] = {"file", "jack"};

// FluidSynth's functions, once LoadFluidSynth() has found them.
const FluidSynthLibrary& Fluid() { return *FluidSynthLibrary::Load(); }

// Loads FluidSynth, and keeps it and the ALSA library from printing on the console (they
// do when a sound output is tried where there is none). False without FluidSynth.
bool LoadFluidSynth() {
  const FluidSynthLibrary* library = FluidSynthLibrary::Load();
  if (library == nullptr) return false;
  static std::once_flag once;
  std::call_once(once, [library] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
      library->fluid_set_log_function(level, nullptr, nullptr);
    }
    SilenceAlsaMessages();
  });
  return true;
}

// Renders the tune from its start to its end, `length_ms` later, and the echo of its
// last notes after that until it dies away. Nothing when `go_on` turns false meanwhile.
std::unique_ptr<RenderedTune> RenderWhole(fluid_synth_t* synth, fluid_player_t* player,
                                          std::int64_t length_ms, double sample_rate,
                                          const std::function<bool()>& go_on) {
  const auto end = static_cast<std::size_t>(std::ceil(length_ms * sample_rate / 1000));
  const auto most = end + static_cast<std::size_t>(kLongestEchoS * sample_rate);
  std::vector<std::int16_t> frames;
  frames.reserve(2 * (most + kRenderBlock));  // all at once: growing would copy it
  float left[kRenderBlock];
  float right[kRenderBlock];
  Fluid().fluid_player_play(player);
  while (frames.size() / 2 < most) {
    if (!go_on()) return nullptr;
    Fluid().fluid_synth_write_float(synth, kRenderBlock, left, 0, 1, right, 0, 1);
    bool silent = true;
    for (int i = 0; i < kRenderBlock; ++i) {
      for (const float sample : {left[i], right[i]}) {
        const auto value =
            static_cast<std::int16_t>(std::lrint(std::clamp(sample, -1.0F, 1.0F) * 32767));
        silent = silent && value == 0;
        frames.push_back(value);
      }
    }
    if (silent && frames.size() / 2 >= end) break;  // the echo has died away
  }
  return std::make_unique<RenderedTune>(std::move(frames), end);
}

// The sound output's call for more of a rendered tune.
int FillFromTune(void* tune, int count, int, float**, int outputs, float** out) {
  if (outputs < 2) return FLUID_FAILED;
  static_cast<RenderedTune*>(tune)->Fill(out[0], out[1], count);
  return FLUID_OK;
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::optional<std::string> ReadFile(const std::string& path) {
  const std::filesystem::path file_path(std::u8string(path.begin(), path.end()));
  std::error_code error;
  if (!std::filesystem::is_regular_file(file_path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(file_path, error);
  if (error || size > kLargestTune) return std::nullopt;
  std::ifstream file(file_path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

void Apply(fluid_settings_t* settings, const std::string& name, const std::string& value) {
  switch (Fluid().fluid_settings_get_type(settings, name.c_str())) {
    case FLUID_NUM_TYPE:
      Fluid().fluid_settings_setnum(settings, name.c_str(), std::strtod(value.c_str(), nullptr));
      break;
    case FLUID_INT_TYPE:
      Fluid().fluid_settings_setint(settings, name.c_str(),
                                    static_cast<int>(std::strtol(value.c_str(), nullptr, 10)));
      break;
    case FLUID_STR_TYPE:
      Fluid().fluid_settings_setstr(settings, name.c_str(), value.c_str());
      break;
    default:
      break;
  }
}

std::vector<std::string> AudioDrivers(fluid_settings_t* settings) {
  std::vector<std::string> drivers;
  Fluid().fluid_settings_foreach_option(
      settings, "audio.driver", &drivers, [](void* data, const char*, const char* option) {
        static_cast<std::vector<std::string>*>(data)->push_back(option);
      });
  return drivers;
}

std::string StringSetting(fluid_settings_t* settings, const char* name) {
  char value[1024] = "";
  if (Fluid().fluid_settings_copystr(settings, name, value, sizeof value) != FLUID_OK) return {};
  return value;
}

// The drivers to try for sound output, best first.
std::vector<std::string> OutputDrivers(fluid_settings_t* settings) {
  const std::vector<std::string> built_in = AudioDrivers(settings);
  std::vector<std::string> order;
  const auto add = [&](const std::string& driver) {
    const bool known = std::find(built_in.begin(), built_in.end(), driver) != built_in.end();
    const bool listed = std::find(order.begin(), order.end(), driver) != order.end();
    const bool refused =
        std::find(std::begin(kNeverTried), std::end(kNeverTried), driver) != std::end(kNeverTried);
    if (known && !listed && !refused) order.push_back(driver);
  };
  for (const char* driver : kSoundServers) add(driver);
  add(StringSetting(settings, "audio.driver"));
  for (const char* driver : kSoundSystems) add(driver);
  return order;
}

}  // namespace

std::string FluidSynthTuneDevice::FindSoundfont() {
  if (!LoadFluidSynth()) return {};
  std::vector<std::string> places;
  if (fluid_settings_t* settings = Fluid().new_fluid_settings()) {
    places.push_back(StringSetting(settings, "synth.default-soundfont"));
    Fluid().delete_fluid_settings(settings);
  }
  places.insert(places.end(), std::begin(kSoundfontPlaces), std::end(kSoundfontPlaces));
  for (const std::string& place : places) {
    if (!place.empty() && Fluid().fluid_is_soundfont(place.c_str())) return place;
  }
  return {};
}

// The device's worker thread and the FluidSynth objects that it owns. The window's thread
// posts commands; the worker carries them out in order. The synthesizer and the player
// are created and deleted by the worker only; other threads reach them under
// engine_mutex_, and only while the worker has them on show.
class FluidSynthTuneDevice::Worker {
 public:
  enum class Kind { kOpen, kClose, kPlay, kStop, kSeek };
  struct Command {
    Kind kind;
    std::shared_ptr<const std::string> tune;   // kOpen: the file's bytes
    std::vector<MidiProgram> programs;         // kOpen: the instruments that it uses
    std::uint64_t length_ticks = 0;            // kOpen: its length
    std::int64_t length_ms = 0;                // kOpen: the same in ms
    std::uint16_t channels = 0;                // kOpen: the channels that it uses
    std::optional<std::uint32_t> fixed_tempo;  // kOpen: µs a quarter note, held throughout
  };

  explicit Worker(Options options) : options_(std::move(options)), thread_([this] { Run(); }) {}

  ~Worker() {
    {
      std::lock_guard lock(mutex_);
      quit_ = true;
      queue_.clear();  // whatever is still to do is moot now
    }
    wake_.notify_all();
    thread_.join();
  }

  void Post(Command command) {
    {
      std::lock_guard lock(mutex_);
      if (command.kind == Kind::kOpen) sound_ = Sound::kStarting;
      queue_.push_back(std::move(command));
      ++posted_;
    }
    wake_.notify_all();
  }

  // True once every command posted so far has been carried out.
  bool CaughtUp() const { return done_.load() == posted_.load(); }

  Sound Settle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return done_.load() == posted_; });
    return sound_;
  }

  // Whether the tune's position has reached its end; nothing while no tune is on show.
  std::optional<bool> Over() {
    std::lock_guard lock(engine_mutex_);
    if (rendered_) return rendered_->Over();
    if (player_ == nullptr) return std::nullopt;
    // Until a seek to the start shows in the player's position, it is the old one.
    return !rewinding_ && position_ >= length_ticks_;
  }

  void Render(float* left, float* right, int frames) {
    if (frames <= 0) return;
    std::lock_guard lock(engine_mutex_);
    if (rendered_ && driver_ == nullptr) {
      rendered_->Fill(left, right, frames);
      return;
    }
    if (synth_ != nullptr && driver_ == nullptr) {
      Fluid().fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
      return;
    }
    std::fill(left, left + frames, 0.0F);
    std::fill(right, right + frames, 0.0F);
  }

  Measurements LastMeasurements() {
    std::lock_guard lock(mutex_);
    return measurements_;
  }

 private:
  void Run() {
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

  void Carry(const Command& command) {
    switch (command.kind) {
      case Kind::kOpen:
        Unload();
        if (WaitBeforeFirstLoad()) Load(command);
        break;
      case Kind::kClose:
        Unload();
        SetSound(Sound::kNone);
        break;
      case Kind::kPlay:
        if (rendered_) rendered_->Play();
        if (player_ != nullptr) Fluid().fluid_player_play(player_);
        break;
      case Kind::kStop:
        if (rendered_) rendered_->Stop();
        if (player_ != nullptr) Fluid().fluid_player_stop(player_);
        break;
      case Kind::kSeek:
        if (rendered_) rendered_->Rewind();
        if (player_ != nullptr) {
          // The player carries out a seek at its next turn; until then it reports the old
          // position. Stopping first keeps it from playing on from there meanwhile.
          rewinding_ = true;
          Fluid().fluid_player_stop(player_);
          Fluid().fluid_player_seek(player_, 0);
        }
        break;
    }
  }

  // Before the first tune, the wait that the options ask for; false when the device goes
  // meanwhile.
  bool WaitBeforeFirstLoad() {
    std::unique_lock lock(mutex_);
    if (!loaded_before_) {
      loaded_before_ = true;
      wake_.wait_for(lock, options_.first_load_delay, [this] { return quit_; });
    }
    return !quit_;
  }

  // True when the device goes or an open or a close waits: what is being loaded now will
  // not play.
  bool Superseded() {
    std::lock_guard lock(mutex_);
    return quit_ || std::any_of(queue_.begin(), queue_.end(), [](const Command& command) {
             return command.kind == Kind::kOpen || command.kind == Kind::kClose;
           });
  }

  void SetSound(Sound sound) {
    std::lock_guard lock(mutex_);
    sound_ = sound;
  }

  // Called by the player, on the thread that renders, each time the tune moves on.
  static int OnTick(void* data, int tick) {
    auto* worker = static_cast<Worker*>(data);
    const std::uint64_t position = tick < 0 ? 0 : static_cast<std::uint64_t>(tick);
    worker->position_ = position;
    if (position < worker->length_ticks_) worker->rewinding_ = false;
    return FLUID_OK;
  }

  void Load(const Command& command) {
    Measurements measured;
    Clock::time_point start = Clock::now();
    if (!LoadFluidSynth()) return SetSound(Sound::kQuiet);
    fluid_settings_t* settings = Fluid().new_fluid_settings();
    if (settings == nullptr) return SetSound(Sound::kQuiet);
    Fluid().fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    Fluid().fluid_settings_setint(settings, "synth.midi-channels", kChannels);
    // A reset between rounds of the tune would drop the instruments held ready.
    Fluid().fluid_settings_setint(settings, "player.reset-synth", 0);
    Fluid().fluid_settings_setnum(settings, "synth.gain", kGain);
    Fluid().fluid_settings_setnum(settings, "synth.sample-rate", options_.sample_rate);
    Fluid().fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
    Fluid().fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
    Fluid().fluid_settings_setint(settings, "audio.periods", kPeriods);
    for (const auto& [name, value] : options_.settings) Apply(settings, name, value);
    fluid_synth_t* synth = Fluid().new_fluid_synth(settings);
    measured.synth_ms = MsSince(start);

    start = Clock::now();
    measured.soundfont = options_.soundfont.empty() ? FindSoundfont() : options_.soundfont;
    // Checked first: a file that is no soundfont at all can make a loader complain.
    const bool is_soundfont =
        synth != nullptr && Fluid().fluid_is_soundfont(measured.soundfont.c_str());
    // The synthesizer reads every preset of the soundfont it loads (some 5 MB of a
    // General MIDI one); it is shown only those that the tune can choose.
    const std::string view = is_soundfont ? AddSubsetLoader(synth, settings, measured.soundfont,
                                                            TunePresets(command.programs))
                                          : std::string();
    const int font =
        is_soundfont ? Fluid().fluid_synth_sfload(synth, view.c_str(), 1) : FLUID_FAILED;
    if (font == FLUID_FAILED) {
      if (synth != nullptr) Fluid().delete_fluid_synth(synth);
      Fluid().delete_fluid_settings(settings);
      return SetSound(Sound::kQuiet);
    }
    int spare = 0;
    for (const MidiProgram& program : command.programs) {
      while (spare < kChannels && (spare == kDrumChannel || (command.channels >> spare) & 1)) {
        ++spare;
      }
      if (spare == kChannels) break;
      const int bank = program.channel == kDrumChannel ? kDrumBank : program.bank;
      Fluid().fluid_synth_program_select(synth, spare++, font, bank, program.program);
    }
    measured.soundfont_ms = MsSince(start);

    fluid_player_t* player = Fluid().new_fluid_player(synth);
    if (player != nullptr) {
      Fluid().fluid_player_set_tick_callback(player, OnTick, this);
      position_ = 0;
      rewinding_ = false;
      length_ticks_ = command.length_ticks;
    }
    if (player == nullptr || Fluid().fluid_player_add_mem(player, command.tune->data(),
                                                          command.tune->size()) != FLUID_OK) {
      if (player != nullptr) Fluid().delete_fluid_player(player);
      Fluid().delete_fluid_synth(synth);
      Fluid().delete_fluid_settings(settings);
      return SetSound(Sound::kQuiet);
    }
    if (command.fixed_tempo) {
      Fluid().fluid_player_set_tempo(player, FLUID_PLAYER_TEMPO_EXTERNAL_MIDI,
                                     *command.fixed_tempo);
    }

    std::unique_ptr<RenderedTune> rendered;
    if (options_.render_ahead && command.length_ms <= kLongestRenderedTuneMs) {
      start = Clock::now();
      rendered = RenderWhole(synth, player, command.length_ms, options_.sample_rate,
                             [this] { return !Superseded(); });
      measured.render_ms = MsSince(start);
      // Its work is done: what it holds goes before the sound output comes.
      Fluid().delete_fluid_player(player);
      Fluid().delete_fluid_synth(synth);
      player = nullptr;
      synth = nullptr;
      if (!rendered) {  // the device goes, or another tune comes
        Fluid().delete_fluid_settings(settings);
        return;
      }
    }

    start = Clock::now();
    fluid_audio_driver_t* driver = nullptr;
    if (!options_.offline) {
      const std::vector<std::string> drivers =
          options_.drivers.empty() ? OutputDrivers(settings) : options_.drivers;
      for (const std::string& name : drivers) {
        // A driver that this FluidSynth lacks is refused here, and then not tried.
        if (Fluid().fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK)
          continue;
        driver = rendered ? Fluid().new_fluid_audio_driver2(settings, FillFromTune, rendered.get())
                          : Fluid().new_fluid_audio_driver(settings, synth);
        if (driver != nullptr) {
          measured.driver = name;
          break;
        }
      }
      if (driver == nullptr) {
        // Nobody would hear it: play nothing rather than render sound for nowhere.
        if (player != nullptr) Fluid().delete_fluid_player(player);
        if (synth != nullptr) Fluid().delete_fluid_synth(synth);
        Fluid().delete_fluid_settings(settings);
        return SetSound(Sound::kQuiet);
      }
    }
    measured.output_ms = MsSince(start);

    {
      std::lock_guard lock(engine_mutex_);
      settings_ = settings;
      synth_ = synth;
      player_ = player;
      driver_ = driver;
      rendered_ = std::move(rendered);
    }
    std::lock_guard lock(mutex_);
    sound_ = Sound::kSounding;
    measurements_ = measured;
  }

  void Unload() {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    std::unique_ptr<RenderedTune> rendered;
    {
      std::lock_guard lock(engine_mutex_);
      std::swap(settings, settings_);
      std::swap(synth, synth_);
      std::swap(player, player_);
      std::swap(driver, driver_);
      std::swap(rendered, rendered_);
    }
    // The output goes first: once it is deleted, nothing renders any more.
    if (driver != nullptr) Fluid().delete_fluid_audio_driver(driver);
    if (player != nullptr) Fluid().delete_fluid_player(player);
    if (synth != nullptr) Fluid().delete_fluid_synth(synth);
    if (settings != nullptr) Fluid().delete_fluid_settings(settings);
  }

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
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
  std::unique_ptr<RenderedTune> rendered_;  // the tune in memory, or none
  std::atomic<std::uint64_t> position_ = 0;
  std::atomic<bool> rewinding_ = false;
  std::atomic<std::uint64_t> length_ticks_ = 0;

  std::thread thread_;  // last: it starts when all the above is ready
};

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
  const auto bytes = ReadFile(path);
  // FluidSynth's player takes neither RIFF MIDI files, nor chunks of other types, nor SMPTE
  // time.
  auto tune = bytes ? QuarterNoteMidiFile(*bytes) : std::nullopt;
  auto facts = tune ? ReadMidiFacts(*bytes) : std::nullopt;
  if (!facts) return false;
  open_ = true;
  playing_ = false;
  length_ticks_ = facts->length_ticks;
  worker_->Post({Worker::Kind::kOpen, std::make_shared<const std::string>(std::move(tune->bytes)),
                 std::move(facts->programs), facts->length_ticks, facts->length_ms, facts->channels,
                 tune->fixed_us_per_quarter});
  return true;
}

void FluidSynthTuneDevice::Close() {
  if (!open_) return;
  open_ = false;
  playing_ = false;
  worker_->Post({Worker::Kind::kClose, nullptr, {}, 0, 0, 0, {}});
}

void FluidSynthTuneDevice::Play() {
  if (!open_) return;
  playing_ = true;
  worker_->Post({Worker::Kind::kPlay, nullptr, {}, 0, 0, 0, {}});
}

void FluidSynthTuneDevice::Stop() {
  if (!open_) return;
  playing_ = false;
  worker_->Post({Worker::Kind::kStop, nullptr, {}, 0, 0, 0, {}});
}

void FluidSynthTuneDevice::SeekToStart() {
  if (!open_) return;
  playing_ = false;
  worker_->Post({Worker::Kind::kSeek, nullptr, {}, 0, 0, 0, {}});
}

TuneDevice::Mode FluidSynthTuneDevice::GetMode() {
  if (!open_) return Mode::kClosed;
  if (!playing_) return Mode::kStopped;
  if (length_ticks_ == 0) return Mode::kStopped;  // a tune of no length is over at once
  // Until the worker has carried out the play, the tune is as good as at its start; and
  // a tune that cannot be heard plays on in silence.
  if (!worker_->CaughtUp()) return Mode::kPlaying;
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
