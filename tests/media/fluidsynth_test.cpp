#include <gtest/gtest.h>

#include <cmath>

#include "media/fluidsynth_library.h"
#include "media/fluidsynth_system.h"
#include "media/fluidsynth_tune_device.h"
#include "media/soundfont_subset_loader.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using namespace velune::testing;
using namespace std::string_literals;
using enum TuneDevice::Mode;

// 400 ms of piano, let go 50 ms before the end, at two ticks a millisecond.
const std::string kTrack = NoteOn(0, 60) + Vlq(700) + "\x80\x3C\x00"s + EndOfTrack(100);

// Offline when no driver is named; ALSA on a card that is not there.
FluidSynthTuneDevice::Options With(bool render_ahead, std::vector<std::string> drivers = {}) {
  FluidSynthTuneDevice::Options options;
  options.offline = drivers.empty();
  options.render_ahead = render_ahead;
  options.drivers = std::move(drivers);
  options.settings = {{"audio.alsa.device", "hw:99"}};
  return options;
}

// The loudest sample of `ms` rendered; or after how many ms the device says stopped.
float Render(FluidSynthTuneDevice& device, int ms, bool until_stopped = false) {
  std::vector<float> left(22), right(22);
  float peak = 0;
  for (int at = 0; at < ms; ++at) {
    if (until_stopped && device.GetMode() == kStopped) return static_cast<float>(at);
    device.Render(left.data(), right.data(), 22);
    for (int i = 0; i < 22; ++i) peak = std::max({peak, std::abs(left[i]), std::abs(right[i])});
  }
  return until_stopped ? -1 : peak;
}

class FluidSynthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (soundfont.empty() || FluidSynthLibrary::Load() == nullptr) GTEST_SKIP() << "no FluidSynth";
  }
  const std::string soundfont = FindSoundfont();
  const ScratchFolder folder;
  const std::string tune = folder.Bytes("bgm.mid", Midi(0, 1000, {kTrack}));
  // The first second of `tune` from the soundfont, whole or cut to the presets.
  std::vector<float> Rendered(const std::string& midi, const std::vector<SoundfontPreset>& cut) {
    const std::string& whole = soundfont;
    const FluidSynthLibrary& fluid = *FluidSynthLibrary::Load();
    fluid_settings_t* settings = fluid.new_fluid_settings();
    fluid.fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_synth_t* synth = fluid.new_fluid_synth(settings);
    const std::string font = cut.empty() ? whole : AddSubsetLoader(synth, settings, whole, cut);
    EXPECT_EQ(font == whole, cut.empty());
    std::vector<float> sound(2 * 44100);
    fluid_player_t* player = fluid.new_fluid_player(synth);
    EXPECT_NE(fluid.fluid_synth_sfload(synth, font.c_str(), 1), FLUID_FAILED);
    fluid.fluid_player_add_mem(player, midi.data(), midi.size());
    fluid.fluid_player_play(player);
    fluid.fluid_synth_write_float(synth, 44100, sound.data(), 0, 2, sound.data(), 1, 2);
    fluid.delete_fluid_player(player), fluid.delete_fluid_synth(synth);
    fluid.delete_fluid_settings(settings);
    return sound;
  }
};

// Rendered whole or synthesized (FluidSynth's player takes none of the last three as they
// are); the game's restart (seek, then play) plays at once; destroyed while starting.
TEST_F(FluidSynthTest, ATunePlaysForItsLengthPausesAndStartsAgain) {
  const std::string plain = ReadFile(tune);
  const std::string alien = plain.substr(0, 14) + Chunk("XFIH", "abc") + plain.substr(14);
  for (const std::string& bytes : {plain, alien, Rmid(RiffChunk("data", alien)),
                                   Midi(0, 0xE750, {Tempo(0, 250000) + kTrack})}) {
    for (const bool render_ahead : {true, false}) {
      SCOPED_TRACE(bytes.substr(0, 4) + (render_ahead ? ", rendered whole" : ", synthesized"));
      FluidSynthTuneDevice device(With(render_ahead));
      EXPECT_FALSE(device.Open(folder.Bytes("cut.mid", bytes.substr(0, 30))));
      ASSERT_TRUE(device.Open(folder.Bytes("any.mid", bytes)));
      device.Play();
      ASSERT_EQ(device.Settle(), FluidSynthTuneDevice::Sound::kSounding);
      const float playing = Render(device, 100);
      device.Stop(), device.Settle(), Render(device, 400);  // the note's echo dies away
      EXPECT_LT(Render(device, 200), playing / 100);
      device.Play(), device.Settle();
      EXPECT_NEAR(100 + Render(device, 1000, true), 400, render_ahead ? 5 : 10);
      device.SeekToStart();
      device.Play();
      EXPECT_EQ(device.GetMode(), kPlaying);
      device.Settle();
      EXPECT_GT(Render(device, 50), 0.01F);
      EXPECT_NEAR(50 + Render(device, 1000, true), 400, 5);
      device.Close();
      EXPECT_EQ(device.Settle(), FluidSynthTuneDevice::Sound::kNone);
      FluidSynthTuneDevice(With(render_ahead)).Open(tune);
    }
  }
}

// It plays on in silence, so the game never restarts it in vain, and ALSA prints nothing.
TEST_F(FluidSynthTest, WithoutASoundfontOrASoundOutputItIsQuietAndSaysNothing) {
  auto no_soundfont = With(true);
  no_soundfont.soundfont = tune;
  for (const auto& options : {no_soundfont, With(true, {"no-such-driver", "alsa"})}) {
    FluidSynthTuneDevice device(options);
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(device.Open(tune));
    device.Play();
    EXPECT_EQ(device.Settle(), FluidSynthTuneDevice::Sound::kQuiet);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Render(device, 300), 0.0F);
    EXPECT_EQ(device.GetMode(), kPlaying);
  }
}

TEST_F(FluidSynthTest, ABrokenSoundfontIsNeverCut) {
  const std::string good = ReadFile(soundfont);
  const auto set = [&](const char* id, std::size_t at, std::uint16_t value) {
    return std::string(good).replace(good.find(id) + 8 + at, 2, LittleEndian(value, 2));
  };
  std::vector<SoundfontPreset> all;  // so that every record is used
  for (int p = 0; p < 128; ++p) all.insert(all.end(), {{0, p}, {128, p}});
  // clang-format off
  const std::pair<const char*, std::string> broken[] = {{"no RIFF", "RIFX" + good.substr(4)},
      {"truncated", good.substr(0, good.size() - 20)}, {"more than the RIFF holds", good + "\0\0"s},
      {"preset zones running backwards", set("phdr", 2 * 38 + 24, 0)},
      {"a generator past the end", set("ibag", 2 * 4, 0xFFFF)},
      {"a modulator past the end", set("pbag", 4 + 2, 0xFFFF)}};
  // clang-format on
  for (const auto& [name, bytes] : broken) {
    EXPECT_FALSE(SoundfontSubset::Plan(folder.Bytes("broken.sf2", bytes), all)) << name;
  }
  EXPECT_TRUE(SoundfontSubset::Plan(soundfont, all));
  EXPECT_FALSE(SoundfontSubset::Plan(soundfont, {{1, 1}, {0, 500}}));  // none of them there
}

// Strings; a bank that no soundfont holds (FluidSynth falls back on bank 0); a drum kit
// that none holds (it falls back on the standard kit); a channel as it starts.
TEST_F(FluidSynthTest, ATuneSoundsTheSameFromTheCutOfTheSoundfont) {
  const std::string phrase =
      Midi(0, 1000,
           {"\0\xC0\x30\0\xB1\0\x4D\0\xC1\x10\0\xC9\x03\0\x90\x3C\x64\0\x91\x43\x64"s +
            "\0\x92\x40\x64\0\x99\x24\x64\0\x26\x64"s + EndOfTrack(2000)});
  const auto presets = TunePresets(ReadMidiFacts(phrase)->programs);
  const auto plan = SoundfontSubset::Plan(soundfont, presets);
  if (!plan) GTEST_SKIP() << soundfont << " is not laid out for a cut";
  EXPECT_LT(plan->KeptPresets() * 4, plan->OriginalPresets());
  const std::vector<float> whole = Rendered(phrase, {});
  const std::vector<float> cut = Rendered(phrase, presets);
  EXPECT_GT(*std::max_element(whole.begin(), whole.end()), 0.01F);
  for (std::size_t i = 0; i < whole.size(); ++i) ASSERT_NEAR(whole[i], cut[i], 1e-6F) << i;
}

}  // namespace
}  // namespace velune
