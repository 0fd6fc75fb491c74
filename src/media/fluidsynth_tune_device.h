#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
// When the tune cannot be heard (no soundfont, no sound output) the device goes quiet:
// it frees the synthesizer, renders nothing, says nothing, and answers as if the tune
// played on, so that nobody restarts it in vain.
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
    kQuiet,     // no soundfont or no sound output: nothing is played
  };

  // Times spent on the worker for the tune last opened, in ms.
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

  // The soundfont that FluidSynth loads by default, or else the first General MIDI
  // soundfont in the usual places; empty when there is none.
  static std::string FindSoundfont();

  // The options of the game window's tune: the window opens in some 50 ms and shows its
  // first story line a tick later; the synthesizer is made after that.
  static Options WindowOptions();

 private:
  class Worker;
  std::unique_ptr<Worker> worker_;
  // The window's side of the state.
  bool open_ = false;
  bool playing_ = false;       // from a play until a stop or seek
  bool seek_pending_ = false;  // the tune's position may still be the one before a seek
  std::uint64_t length_ticks_ = 0;
};

}  // namespace velune
