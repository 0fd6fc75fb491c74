#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

#include "media/fluidsynth_system.h"
#include "media/fluidsynth_tune_device.h"
#include "media/midi_length.h"
#include "midi_bytes.h"
#include "test_files.h"

namespace velune {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Mode = TuneDevice::Mode;
using Sound = FluidSynthTuneDevice::Sound;

constexpr const char* kBundledTune = "games/sample/dat/bgm.mid";  // from the source folder

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The track of a tune of `ms` milliseconds at two ticks a millisecond: a piano note
// struck at once and let go 50 ms before the end.
std::string ShortTrack(std::uint32_t ms) {
  using namespace testing;
  const std::string program = Vlq(0) + std::string{'\xC0', '\x00'};
  const std::string note_off = Vlq(ms * 2 - 100) + std::string{'\x80', '\x3C', '\x00'};
  return program + NoteOn(0, 60) + note_off + EndOfTrack(100);
}

// The same at 120 beats a minute, 1000 ticks a beat.
std::string ShortTune(std::uint32_t ms) { return testing::Midi(0, 1000, {ShortTrack(ms)}); }

class FluidSynthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (FindSoundfont().empty()) {
      GTEST_SKIP() << "no General MIDI soundfont installed (Debian: timgm6mb-soundfont)";
    }
    folder = std::make_unique<testing::ScratchFolder>("velune-fluidsynth");
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    return folder->Write(name, bytes);
  }
  std::string PathOf(const std::string& name) const { return folder->PathOf(name); }

  static FluidSynthTuneDevice::Options Offline(double sample_rate = 44100) {
    FluidSynthTuneDevice::Options options;
    options.offline = true;
    options.sample_rate = sample_rate;
    return options;
  }

  // Renders `ms` of sound in blocks of 10 ms; answers the loudest sample.
  static float RenderMs(FluidSynthTuneDevice& device, int ms, double sample_rate = 44100) {
    const int block = static_cast<int>(sample_rate / 100);
    std::vector<float> left(block), right(block);
    float peak = 0;
    for (int done = 0; done < ms; done += 10) {
      device.Render(left.data(), right.data(), block);
      for (int i = 0; i < block; ++i)
        peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
    }
    return peak;
  }

  // Renders in blocks of about 1 ms until the device says stopped; answers after how many
  // ms of sound, or -1 when it still plays after `limit_ms`. `sum_of_squares` adds up the
  // sound.
  static int MsUntilStopped(FluidSynthTuneDevice& device, int limit_ms, double sample_rate = 44100,
                            double* sum_of_squares = nullptr) {
    const int block = static_cast<int>(sample_rate / 1000);
    std::vector<float> left(block), right(block);
    for (std::int64_t frames = 0; frames <= limit_ms * sample_rate / 1000; frames += block) {
      if (device.GetMode() == Mode::kStopped) return static_cast<int>(frames * 1000 / sample_rate);
      device.Render(left.data(), right.data(), block);
      if (sum_of_squares != nullptr) {
        for (int i = 0; i < block; ++i) *sum_of_squares += left[i] * left[i] + right[i] * right[i];
      }
    }
    return -1;
  }

  std::unique_ptr<testing::ScratchFolder> folder;
};

TEST_F(FluidSynthTest, WhatIsNoTuneIsRefusedQuietlyAndStartsNothing) {
  const std::string good = ShortTune(300);
  std::string noise(4096, '\0');
  std::generate(noise.begin(), noise.end(), [n = 7u]() mutable {
    n = n * 1103515245u + 12345u;
    return static_cast<char>(n >> 16);
  });
  FluidSynthTuneDevice device(Offline());
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(device.Open(PathOf("none.mid")));
  EXPECT_FALSE(device.Open(folder->folder.string()));  // a folder
  EXPECT_FALSE(device.Open(""));
  for (const std::string& bytes :
       {std::string(), std::string("MThd garbage"), noise, std::string("This is not a tune.\n"),
        good.substr(0, 30), "MThd" + noise}) {
    EXPECT_FALSE(device.Open(Write("bad.mid", bytes))) << bytes.size();
  }
  EXPECT_EQ(device.Settle(), Sound::kNone);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
}

TEST_F(FluidSynthTest, AShortTunePlaysForItsLengthAndStartsAgain) {
  FluidSynthTuneDevice device(Offline());
  ASSERT_TRUE(device.Open(Write("short.mid", ShortTune(400))));
  EXPECT_EQ(device.GetMode(), Mode::kStopped);  // open, not yet playing
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
  ASSERT_EQ(device.Settle(), Sound::kSounding);

  EXPECT_GT(RenderMs(device, 100), 0.01F);  // it makes sound
  const int stopped_after = MsUntilStopped(device, 1000);
  EXPECT_NEAR(100 + stopped_after, 400, 5);  // stopped as its position reaches the end
  EXPECT_EQ(device.GetMode(), Mode::kStopped);

  // The game's restart: seek to the start, then play from 0.
  device.SeekToStart();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.SeekToStart();
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);  // at once, though the seek is still to come
  device.Settle();
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
  EXPECT_GT(RenderMs(device, 50), 0.01F);  // the note of its first beat sounds again
  EXPECT_NEAR(50 + MsUntilStopped(device, 1000), 400, 5);
  // The game polls once a second; a tune shorter than that must still read stopped at
  // the poll after it ended, every time.
  for (int round = 0; round < 3; ++round) {
    device.SeekToStart();
    device.Play();
    device.Settle();
    RenderMs(device, 1000);
    EXPECT_EQ(device.GetMode(), Mode::kStopped) << round;
  }
}

// FluidSynth's player refuses all three; the device hands it the plain tune in quarter
// notes, at the fixed tempo of SMPTE time, rendered whole or synthesized as it plays.
TEST_F(FluidSynthTest, AlienChunksRiffMidiFilesAndSmpteTimePlay) {
  using namespace testing;
  const std::string tune = ShortTune(300);
  const std::string with_alien = tune.substr(0, 14) + Chunk("XFIH", "abc") + tune.substr(14);
  // 25 frames of 80 ticks a second, and a tempo event that SMPTE time ignores.
  const std::string smpte = Midi(0, 0xE750, {Tempo(0, 250000) + ShortTrack(300)});
  for (const std::string& bytes : {with_alien, Rmid(RiffChunk("data", with_alien)), smpte}) {
    for (const bool render_ahead : {true, false}) {
      auto options = Offline();
      options.render_ahead = render_ahead;
      FluidSynthTuneDevice device(options);
      ASSERT_TRUE(device.Open(Write("bgm.mid", bytes)));
      device.Play();
      ASSERT_EQ(device.Settle(), Sound::kSounding);
      EXPECT_GT(RenderMs(device, 100), 0.01F);
      EXPECT_NEAR(100 + MsUntilStopped(device, 1000), *MidiLengthMs(bytes), 5) << render_ahead;
    }
  }
}

TEST_F(FluidSynthTest, StopPausesAndPlayGoesOnFromThere) {
  FluidSynthTuneDevice device(Offline());
  ASSERT_TRUE(device.Open(Write("short.mid", ShortTune(400))));
  device.Play();
  device.Settle();
  const float playing = RenderMs(device, 200);
  device.Stop();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Settle();
  RenderMs(device, 400);                            // the note is let go, and its echo dies away
  EXPECT_LT(RenderMs(device, 200), playing / 100);  // and nothing more is played
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Play();
  device.Settle();
  EXPECT_NEAR(200 + MsUntilStopped(device, 1000), 400, 5);
}

TEST_F(FluidSynthTest, CloseWhilePlayingSilencesIt) {
  FluidSynthTuneDevice device(Offline());
  ASSERT_TRUE(device.Open(Write("short.mid", ShortTune(400))));
  device.Play();
  device.Settle();
  EXPECT_GT(RenderMs(device, 50), 0.01F);
  device.Close();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
  EXPECT_EQ(device.Settle(), Sound::kNone);
  EXPECT_EQ(RenderMs(device, 50), 0.0F);
  device.Play();  // no tune: nothing happens
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
  // And it opens again.
  ASSERT_TRUE(device.Open(Write("again.mid", ShortTune(100))));
  device.Play();
  EXPECT_EQ(device.Settle(), Sound::kSounding);
  EXPECT_GT(RenderMs(device, 50), 0.01F);
}

// Without a soundfont (a missing file, or one that is no soundfont), or without a sound
// output (a driver that does not exist, and ALSA on a sound card that is not there, which
// prints its errors on the console unless it is told not to), it is quiet and says
// nothing. It plays on in silence, so the game never restarts it in vain.
TEST_F(FluidSynthTest, WithoutASoundfontOrASoundOutputItIsQuietAndSaysNothing) {
  const std::string tune = Write("short.mid", ShortTune(100));
  std::vector<std::pair<const char*, FluidSynthTuneDevice::Options>> ways;
  for (const std::string& soundfont : {PathOf("none.sf2"), tune}) {
    ways.emplace_back("soundfont", Offline());
    ways.back().second.soundfont = soundfont;
  }
  ways.emplace_back("no such driver", FluidSynthTuneDevice::Options{});
  ways.back().second.drivers = {"no-such-driver"};
  ways.emplace_back("no sound card", FluidSynthTuneDevice::Options{});
  ways.back().second.drivers = {"alsa"};
  ways.back().second.settings = {{"audio.alsa.device", "hw:99"}};
  for (const auto& [way, options] : ways) {
    SCOPED_TRACE(way);
    FluidSynthTuneDevice device(options);
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(device.Open(tune));  // the tune itself is fine
    device.Play();
    EXPECT_EQ(device.Settle(), Sound::kQuiet);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    if (options.offline) {
      EXPECT_EQ(RenderMs(device, 300), 0.0F);
    }
    EXPECT_EQ(device.GetMode(), Mode::kPlaying);
    device.Stop();
    EXPECT_EQ(device.GetMode(), Mode::kStopped);
  }
}

// The real-time path: FluidSynth's file driver renders on its own thread at the pace of
// the clock, as a sound card would take it. It takes no sound but the synthesizer's, so
// the tune is synthesized as it plays.
TEST_F(FluidSynthTest, PlaysInTheBackgroundThroughAnAudioDriver) {
  const std::string wav = PathOf("out.wav");
  FluidSynthTuneDevice::Options options;
  options.render_ahead = false;
  options.drivers = {"file"};
  options.settings = {{"audio.file.name", wav}};
  {
    FluidSynthTuneDevice device(options);
    // A second: longer than the device's periods of output (8192 frames, 371 ms).
    ASSERT_TRUE(device.Open(Write("short.mid", ShortTune(1000))));
    const auto start = Clock::now();
    device.Play();
    const double play_ms = MsSince(start);
    EXPECT_EQ(device.GetMode(), Mode::kPlaying);
    ASSERT_EQ(device.Settle(), Sound::kSounding);
    EXPECT_EQ(device.LastMeasurements().driver, "file");
    while (device.GetMode() == Mode::kPlaying && MsSince(start) < 3000) {
      std::this_thread::sleep_for(5ms);
    }
    const double stopped_ms = MsSince(start);
    EXPECT_EQ(device.GetMode(), Mode::kStopped);
    std::cout << "[ measured ] play() returned after " << play_ms << " ms; stopped after "
              << stopped_ms << " ms of a 1000 ms tune\n";
    EXPECT_GE(stopped_ms, 500);  // it took its time: it was not rendered all at once
    device.Close();
  }
  // What went to the driver is sound.
  const std::string bytes = testing::ReadFile(wav);
  ASSERT_GT(bytes.size(), 44U + 4 * 4410);
  int loud = 0;
  for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
    const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (std::abs(sample) > 300) ++loud;
  }
  EXPECT_GT(loud, 1000);
}

TEST_F(FluidSynthTest, ClosingOrDestroyingWhilePlayingIsQuick) {
  FluidSynthTuneDevice::Options options;
  options.render_ahead = false;
  options.drivers = {"file"};
  options.settings = {{"audio.file.name", PathOf("out.wav")}};
  const std::string tune = Write("short.mid", ShortTune(5000));
  {
    FluidSynthTuneDevice device(options);
    ASSERT_TRUE(device.Open(tune));
    device.Play();
    device.Settle();
    std::this_thread::sleep_for(30ms);
    const auto start = Clock::now();
    device.Close();
    const double close_ms = MsSince(start);
    EXPECT_EQ(device.GetMode(), Mode::kClosed);
    EXPECT_EQ(device.Settle(), Sound::kNone);
    std::cout << "[ measured ] close() returned after " << close_ms << " ms, the worker done after "
              << MsSince(start) << " ms\n";
    ASSERT_TRUE(device.Open(tune));
    device.Play();
    device.Settle();
    std::this_thread::sleep_for(30ms);
  }  // destroyed while playing
  {
    FluidSynthTuneDevice device(options);
    ASSERT_TRUE(device.Open(tune));
    device.Play();
  }  // destroyed while still starting
  // A storm of commands, while the tune plays and while it is being rendered whole.
  for (const FluidSynthTuneDevice::Options& storm : {options, Offline(22050)}) {
    FluidSynthTuneDevice device(storm);
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
  {
    FluidSynthTuneDevice device(Offline(22050));
    ASSERT_TRUE(device.Open(tune));
    device.Play();
  }  // destroyed while rendering
}

TEST_F(FluidSynthTest, TheBundledTuneMakesSoundEndsAndStartsAgain) {
  const auto length_ms = MidiLengthMs(testing::ReadFile(kBundledTune));
  ASSERT_TRUE(length_ms);
  EXPECT_GE(*length_ms, 30000);
  EXPECT_LE(*length_ms, 60000);

  constexpr double kRate = 22050;  // enough to hear it, and twice as quick to render
  FluidSynthTuneDevice device(Offline(kRate));
  ASSERT_TRUE(device.Open(kBundledTune));
  device.Play();
  ASSERT_EQ(device.Settle(), Sound::kSounding);
  double sum_of_squares = 0;
  const int stopped_after = MsUntilStopped(device, 70000, kRate, &sum_of_squares);
  EXPECT_NEAR(stopped_after, *length_ms, 2);
  const double rms = std::sqrt(sum_of_squares / (2.0 * kRate * stopped_after / 1000));
  std::cout << "[ measured ] the bundled tune: " << stopped_after << " ms, RMS " << rms << "\n";
  EXPECT_GT(rms, 0.005);  // -46 dB; it gives about -36 dB: gentle, but well above silence

  device.SeekToStart();
  device.Play();
  device.Settle();
  EXPECT_GT(RenderMs(device, 300, kRate), 0.02F);  // its first notes again
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
}

}  // namespace
}  // namespace velune
