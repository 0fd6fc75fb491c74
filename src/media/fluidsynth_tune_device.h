#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "media/null_tune_device.h"
#include "media/tune_device.h"

namespace velune {

// Plays the tune with FluidSynth and a General MIDI soundfont, in the background.
//
// Open reads and checks the tune file at once, on the caller's thread, and answers
// whether it is a tune at all. Everything slow -- creating the synthesizer, loading the
// soundfont, rendering the tune, connecting to the sound output -- happens afterwards on
// a worker thread of the device, so no call holds up the window. The calls of the
// TuneDevice interface are meant for one thread, the window's.
//
// A short tune is rendered whole once and then played from memory (rendered_tune.h), and
// the synthesizer is freed before the sound output starts; a long one is synthesized as
// it plays.
//
// When the tune cannot be heard (no FluidSynth, no soundfont, no sound output) the device
// falls back on the null device: it frees the synthesizer, renders nothing, says nothing,
// and answers as the null device does (null_tune_device.h).
class FluidSynthTuneDevice : public TuneDevice {
 public:
  struct Options {
    // The soundfont file; empty for the system's General MIDI soundfont.
    std::string soundfont;
    // FluidSynth audio drivers to try in turn; empty for the platform's usual outputs.
    std::vector<std::string> drivers;
    // Further FluidSynth settings by name, such as audio.file.name for the file driver.
    std::vector<std::pair<std::string, std::string>> settings;
    // No sound output at all: the owner of the device pulls the sound with Render().
    bool offline = false;
    // A short tune is rendered whole when it opens and then played from memory; false
    // synthesizes every tune as it plays.
    bool render_ahead = true;
    // 22.05 kHz, as the software synthesizers of the game's day played: half the work
    // of 44.1 kHz, and a General MIDI soundfont holds little above 11 kHz.
    double sample_rate = 22050;
    // How long the first tune waits before its synthesizer is made. The window's start
    // comes first: on a small machine the soundfont's loading would take a processor
    // from it, and a tune that starts a fifth of a second later is not missed.
    std::chrono::milliseconds first_load_delay{0};
  };

  // What became of the tune last opened.
  enum class Sound {
    kNone,      // nothing opened, or closed again
    kStarting,  // the worker is still setting up
    kSounding,  // the synthesizer runs (into the sound output, or for Render)
    kQuiet,     // nothing can be heard: the null device answers
  };

  // Times spent on the worker for the tune last opened, in ms, for the benchmarks.
  struct Measurements {
    double synth_ms = 0;      // settings and synthesizer created
    double soundfont_ms = 0;  // soundfont loaded and the tune's instruments readied
    double render_ms = 0;     // the tune rendered whole; 0 when it is synthesized as it plays
    double output_ms = 0;     // sound output started
    std::string soundfont;    // the file loaded
    std::string driver;       // the audio driver that started
  };

  FluidSynthTuneDevice();
  explicit FluidSynthTuneDevice(Options options);
  ~FluidSynthTuneDevice() override;
  FluidSynthTuneDevice(const FluidSynthTuneDevice&) = delete;
  FluidSynthTuneDevice& operator=(const FluidSynthTuneDevice&) = delete;

  bool Open(const std::string& path) override;
  void Close() override;
  void Play() override;
  void Stop() override;
  // Stops the tune and goes back to its beginning.
  void SeekToStart() override;
  // Playing from a play until the tune's position reaches its last event, or until it is
  // stopped; stopped otherwise; closed when nothing is open.
  Mode GetMode() override;

  // Offline devices only: renders the next `frames` frames of stereo sound at the sample
  // rate of the options, and moves the tune on by as much. Silence while nothing sounds.
  void Render(float* left, float* right, int frames);

  // Waits until the worker has carried out every call made so far; for tests and
  // measurements. Answers what became of the tune.
  Sound Settle();
  Measurements LastMeasurements() const;

  // The options of the game window's tune: the synthesizer is made after the window has
  // opened and shown its first story line.
  static Options WindowOptions();

 private:
  class Worker;
  // The calls that the worker carries out.
  enum class Call { kOpen, kClose, kPlay, kStop, kSeek };
  // Passes the call on to the worker, and the answers to silent_, while a tune is open.
  void PassOn(Call call, void (NullTuneDevice::*answer)());

  std::unique_ptr<Worker> worker_;
  // The window's side of the state, and the answers while nothing can be heard.
  NullTuneDevice silent_;
};

}  // namespace velune
