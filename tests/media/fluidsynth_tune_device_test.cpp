#include "media/fluidsynth_tune_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "common/story_folder.h"
#include "media/fluidsynth_system.h"
#include "media/midi_length.h"
#include "media/tune_device_choice.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using namespace std::chrono_literals;
using namespace velune::testing;
using Mode = TuneDevice::Mode;
using Sound = FluidSynthTuneDevice::Sound;
using Options = FluidSynthTuneDevice::Options;

// A tune of `ms` milliseconds at two ticks a millisecond: a piano note struck at once and
// let go 50 ms before the end.
std::string ShortTrack(std::uint32_t ms) {
  return Vlq(0) + std::string{'\xC0', '\x00'} + NoteOn(0, 60) + Vlq(ms * 2 - 100) +
         std::string{'\x80', '\x3C', '\x00'} + EndOfTrack(100);
}
std::string ShortTune(std::uint32_t ms) { return Midi(0, 1000, {ShortTrack(ms)}); }

Options Offline(double sample_rate = 44100) {
  Options options;
  options.offline = true;
  options.sample_rate = sample_rate;
  return options;
}

Options ToFile(const std::string& wav) {
  Options options;
  options.render_ahead = false;
  options.drivers = {"file"};
  options.settings = {{"audio.file.name", wav}};
  return options;
}

// Renders `ms` of sound in blocks of about 1 ms; answers the loudest sample. With
// `until_stopped` it renders until the device says stopped instead, and answers after how
// many ms (-1 when it still plays after `ms`); `sum_of_squares` adds up the sound.
float Render(FluidSynthTuneDevice& device, int ms, bool until_stopped = false, double rate = 44100,
             double* sum_of_squares = nullptr) {
  const int block = static_cast<int>(rate / 1000);
  std::vector<float> left(block), right(block);
  float peak = 0;
  for (double frames = 0; frames < ms * rate / 1000; frames += block) {
    if (until_stopped && device.GetMode() == Mode::kStopped) {
      return static_cast<float>(frames * 1000 / rate);
    }
    device.Render(left.data(), right.data(), block);
    for (int i = 0; i < block; ++i) {
      peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
      if (sum_of_squares != nullptr) *sum_of_squares += left[i] * left[i] + right[i] * right[i];
    }
  }
  return until_stopped ? -1 : peak;
}
float MsUntilStopped(FluidSynthTuneDevice& device, int limit_ms = 1000) {
  return Render(device, limit_ms, true);
}

class FluidSynthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (FindSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  }
  // Opens and plays the tune; answers whether it sounds.
  static bool Start(FluidSynthTuneDevice& device, const std::string& path) {
    if (!device.Open(path)) return false;
    device.Play();
    return device.Settle() == Sound::kSounding;
  }
  ScratchFolder folder;
};

TEST(TuneDeviceChoice, ByNameWithFluidSynthTheDefault) {
  EXPECT_NE(dynamic_cast<NullTuneDevice*>(CreateTuneDevice("null").get()), nullptr);
  for (const char* name : {"fluidsynth", "", "no-such-device"}) {
    EXPECT_NE(dynamic_cast<FluidSynthTuneDevice*>(CreateTuneDevice(name).get()), nullptr) << name;
  }
}

TEST_F(FluidSynthTest, WhatIsNoTuneIsRefusedQuietlyAndStartsNothing) {
  FluidSynthTuneDevice device(Offline());
  ::testing::internal::CaptureStderr();
  for (const std::string& path : {folder.At("none.mid").string(), folder.Path(), std::string(),
                                  folder.Bytes("bad.mid", "MThd garbage"),
                                  folder.Bytes("cut.mid", ShortTune(300).substr(0, 30))}) {
    EXPECT_FALSE(device.Open(path)) << path;
  }
  EXPECT_EQ(device.Settle(), Sound::kNone);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
}

TEST_F(FluidSynthTest, AShortTunePlaysForItsLengthStopsAndStartsAgain) {
  FluidSynthTuneDevice device(Offline());
  ASSERT_TRUE(device.Open(folder.Bytes("short.mid", ShortTune(400))));
  EXPECT_EQ(device.GetMode(), Mode::kStopped);  // open, not yet playing
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
  ASSERT_EQ(device.Settle(), Sound::kSounding);
  const float playing = Render(device, 100);
  EXPECT_GT(playing, 0.01F);
  device.Stop();  // a pause: nothing more is played, and play goes on from there
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Settle();
  Render(device, 400);  // the note's echo dies away
  EXPECT_LT(Render(device, 200), playing / 100);
  device.Play();
  device.Settle();
  EXPECT_NEAR(100 + MsUntilStopped(device), 400, 5);
  // The game's restart: seek to the start, then play from 0; playing at once.
  device.SeekToStart();
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
  device.Settle();
  EXPECT_GT(Render(device, 50), 0.01F);
  EXPECT_NEAR(50 + MsUntilStopped(device), 400, 5);
  // The game polls once a second: a shorter tune reads stopped at every poll after it.
  for (int round = 0; round < 3; ++round) {
    device.SeekToStart();
    device.Play();
    device.Settle();
    Render(device, 1000);
    EXPECT_EQ(device.GetMode(), Mode::kStopped) << round;
  }
  device.Close();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
  EXPECT_EQ(device.Settle(), Sound::kNone);
}

// FluidSynth's player refuses all three; the device hands it the plain tune in quarter
// notes, at the fixed tempo of SMPTE time, rendered whole or synthesized as it plays.
TEST_F(FluidSynthTest, AlienChunksRiffMidiFilesAndSmpteTimePlay) {
  const std::string tune = ShortTune(300);
  const std::string with_alien = tune.substr(0, 14) + Chunk("XFIH", "abc") + tune.substr(14);
  const std::string smpte = Midi(0, 0xE750, {Tempo(0, 250000) + ShortTrack(300)});
  const std::pair<const char*, std::string> tunes[] = {
      {"alien chunk", with_alien}, {"RIFF", Rmid(RiffChunk("data", with_alien))}, {"SMPTE", smpte}};
  for (const auto& [name, bytes] : tunes) {
    for (const bool render_ahead : {true, false}) {
      SCOPED_TRACE(std::string(name) + (render_ahead ? ", rendered whole" : ", synthesized"));
      auto options = Offline();
      options.render_ahead = render_ahead;
      FluidSynthTuneDevice device(options);
      ASSERT_TRUE(Start(device, folder.Bytes("bgm.mid", bytes)));
      EXPECT_GT(Render(device, 100), 0.01F);
      EXPECT_NEAR(100 + MsUntilStopped(device), *MidiLengthMs(bytes), 5);
    }
  }
}

// Without a soundfont, or without a sound output (no such driver; ALSA on a card that is
// not there, which prints errors unless told not to), it says nothing and plays on in
// silence, so the game never restarts it in vain.
TEST_F(FluidSynthTest, WithoutASoundfontOrASoundOutputItIsQuietAndSaysNothing) {
  const std::string tune = folder.Bytes("short.mid", ShortTune(100));
  std::vector<std::pair<const char*, Options>> ways = {{"a missing soundfont", Offline()},
                                                       {"no soundfont", Offline()},
                                                       {"no such driver", {}},
                                                       {"no sound card", {}}};
  ways[0].second.soundfont = folder.At("none.sf2").string();
  ways[1].second.soundfont = tune;
  ways[2].second.drivers = {"no-such-driver"};
  ways[3].second.drivers = {"alsa"};
  ways[3].second.settings = {{"audio.alsa.device", "hw:99"}};
  for (const auto& [way, options] : ways) {
    SCOPED_TRACE(way);
    FluidSynthTuneDevice device(options);
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(device.Open(tune));
    device.Play();
    EXPECT_EQ(device.Settle(), Sound::kQuiet);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    if (options.offline) {
      EXPECT_EQ(Render(device, 300), 0.0F);
    }
    EXPECT_EQ(device.GetMode(), Mode::kPlaying);
    device.Stop();
    EXPECT_EQ(device.GetMode(), Mode::kStopped);
  }
}

// Through an audio driver (FluidSynth's file driver, on its own thread at the pace of the
// clock) the tune is synthesized as it plays, and ends when its time is up.
TEST_F(FluidSynthTest, PlaysInTheBackgroundThroughAnAudioDriver) {
  FluidSynthTuneDevice device(ToFile(folder.At("out.wav").string()));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(Start(device, folder.Bytes("short.mid", ShortTune(1000))));
  EXPECT_EQ(device.LastMeasurements().driver, "file");
  while (device.GetMode() == Mode::kPlaying && std::chrono::steady_clock::now() - start < 3s) {
    std::this_thread::sleep_for(5ms);
  }
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 500ms);  // not rendered all at once
}

// Closing, destroying, and a storm of commands while it plays, starts or renders.
TEST_F(FluidSynthTest, ClosingOrDestroyingAtAnyTimeIsSafe) {
  const Options to_file = ToFile(folder.At("out.wav").string());
  const std::string tune = folder.Bytes("long.mid", ShortTune(5000));
  for (const Options& options : {to_file, Offline(22050)}) {
    {
      FluidSynthTuneDevice device(options);
      ASSERT_TRUE(Start(device, tune));
      device.Close();
      EXPECT_EQ(device.GetMode(), Mode::kClosed);
      EXPECT_EQ(device.Settle(), Sound::kNone);
      ASSERT_TRUE(Start(device, tune));
    }  // destroyed while playing
    {
      FluidSynthTuneDevice device(options);
      ASSERT_TRUE(device.Open(tune));
      device.Play();
    }  // destroyed while starting or rendering
    FluidSynthTuneDevice device(options);
    for (int i = 0; i < 20; ++i) {
      ASSERT_TRUE(device.Open(tune));
      device.Play();
      device.SeekToStart();
      device.Play();
      device.GetMode();
      if (i % 3 == 0) device.Close();
    }
    EXPECT_EQ(device.Settle(), Sound::kSounding);
    EXPECT_EQ(device.GetMode(), Mode::kPlaying);
  }
}

TEST_F(FluidSynthTest, TheBundledTuneMakesSoundEndsAndStartsAgain) {
  constexpr const char* kBundledTune = "games/sample/dat/bgm.mid";  // from the source folder
  const auto length_ms = MidiLengthMs(ReadFile(kBundledTune));
  ASSERT_TRUE(length_ms);
  constexpr double kRate = 22050;
  FluidSynthTuneDevice device(Offline(kRate));
  ASSERT_TRUE(Start(device, kBundledTune));
  double sum_of_squares = 0;
  const float stopped_after = Render(device, 70000, true, kRate, &sum_of_squares);
  EXPECT_NEAR(stopped_after, *length_ms, 2);
  EXPECT_GT(std::sqrt(sum_of_squares / (2.0 * kRate * stopped_after / 1000)), 0.005);  // -46 dB
  device.SeekToStart();
  device.Play();
  device.Settle();
  EXPECT_GT(Render(device, 300, false, kRate), 0.02F);  // its first notes again
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
}

}  // namespace
}  // namespace velune
