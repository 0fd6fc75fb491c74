#include "media/soundfont_subset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <tuple>

#include "common/story_folder.h"
#include "media/fluidsynth_library.h"
#include "media/fluidsynth_system.h"
#include "media/midi_length.h"
#include "media/soundfont_subset_loader.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using namespace velune::testing;

TEST(TunePresets, CoversWhatFluidSynthMayFallBackTo) {
  const std::tuple<const char*, std::vector<MidiProgram>, std::vector<SoundfontPreset>> cases[] = {
      {"no program changes", {}, {{0, 0}, {128, 0}}},
      {"a melodic program", {{0, 0, 48}}, {{0, 0}, {0, 48}, {128, 0}}},
      {"from another bank", {{3, 8, 16}}, {{0, 0}, {0, 16}, {8, 16}, {128, 0}}},
      {"drums, whatever the bank", {{9, 0, 25}, {9, 5, 0}}, {{0, 0}, {128, 0}, {128, 25}}},
      {"on two channels", {{1, 0, 5}, {2, 0, 5}}, {{0, 0}, {0, 5}, {128, 0}}},
  };
  for (const auto& [name, programs, wanted] : cases)
    EXPECT_EQ(TunePresets(programs), wanted) << name;
}

class SoundfontSubsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    soundfont = FindSoundfont();
    if (soundfont.empty() || FluidSynthLibrary::Load() == nullptr) {
      GTEST_SKIP() << "no FluidSynth or no General MIDI soundfont installed";
    }
  }
  std::string soundfont;
  ScratchFolder folder;
};

// Overwrites the 16-bit field of a record in the preset data sub-chunk `id`.
std::string Patched(std::string bytes, const std::string& id, std::size_t record_size,
                    std::size_t index, std::size_t field, std::uint16_t value) {
  return bytes.replace(bytes.find(id) + 8 + index * record_size + field, 2, LittleEndian(value, 2));
}

// The number of records in the preset data sub-chunk `id` (its terminal one included), or
// the index of the first generator `oper` in it.
std::size_t Records(const std::string& bytes, const std::string& id, std::size_t record_size) {
  std::uint32_t size = 0;
  std::memcpy(&size, bytes.data() + bytes.find(id) + 4, 4);  // little-endian, as on x86 and ARM
  return size / record_size;
}
std::size_t FirstGenerator(const std::string& bytes, const std::string& id, std::uint16_t oper) {
  std::size_t i = 0;
  while (bytes.compare(bytes.find(id) + 8 + 4 * i, 2, LittleEndian(oper, 2)) != 0) ++i;
  return i;
}

TEST_F(SoundfontSubsetTest, RefusesWhatItCannotReadSafelyAndReadsTheViewInAnyPieces) {
  const std::string good = ReadFile(soundfont);
  const std::vector<SoundfontPreset> wanted = {{0, 0}, {128, 0}};
  const std::pair<const char*, std::string> broken[] = {
      {"no RIFF", "RIFX" + good.substr(4)},
      {"no soundfont", good.substr(0, 8) + "sfbx" + good.substr(12)},
      {"truncated", good.substr(0, good.size() - 20)},
      {"more than the RIFF holds", good + std::string(2, '\0')},
      {"a chunk missing", std::string(good).replace(good.find("imod"), 4, "imoX")},
      {"preset zones running backwards", Patched(good, "phdr", 38, 2, 24, 0)},
      {"a generator past the end", Patched(good, "ibag", 4, 2, 0, 0xFFFF)},
      {"a modulator past the end", Patched(good, "pbag", 4, 1, 2, 0xFFFF)},
      {"a preset zone past the end",
       Patched(good, "phdr", 38, Records(good, "phdr", 38) - 1, 24, 0xFFFF)},
      {"an instrument out of range",
       Patched(good, "pgen", 4, FirstGenerator(good, "pgen", 41), 2, 0x7FFF)},
      {"a sample out of range",
       Patched(good, "igen", 4, FirstGenerator(good, "igen", 53), 2, 0x7FFF)},
      {"a RIFF size past the end",
       good.substr(0, 4) + LittleEndian(static_cast<std::uint32_t>(good.size()) - 6, 4) +
           good.substr(8)},
  };
  std::vector<SoundfontPreset> all;  // so that every record is used
  for (int program = 0; program < 128; ++program)
    all.insert(all.end(), {{0, program}, {128, program}});
  for (const auto& [name, bytes] : broken) {
    EXPECT_FALSE(SoundfontSubset::Plan(folder.Bytes("broken.sf2", bytes), all)) << name;
  }
  EXPECT_TRUE(SoundfontSubset::Plan(soundfont, all));  // the font itself is fine
  EXPECT_FALSE(SoundfontSubset::Plan(folder.At("missing.sf2"), wanted));
  EXPECT_FALSE(SoundfontSubset::Plan(soundfont, {{1, 1}, {0, 500}}));  // none of them there

  const auto subset = SoundfontSubset::Plan(soundfont, wanted);
  ASSERT_TRUE(subset);
  std::ifstream file(soundfont, std::ios::binary);
  std::string view(subset->Size(), '\0');
  ASSERT_TRUE(subset->Read(file, 0, view.data(), view.size()));
  EXPECT_EQ(view.substr(0, 4) + LittleEndian(static_cast<std::uint32_t>(view.size() - 8), 4),
            view.substr(0, 8));
  EXPECT_EQ(view.substr(8, 4096), good.substr(8, 4096));
  // Pieces across the RIFF size field and across the start of the new preset data.
  for (const std::size_t piece : {1, 3, 7, 64}) {
    for (std::size_t from : {std::size_t{0}, view.size() - 8192}) {
      std::string pieces;
      for (std::size_t at = from; at < from + 8192; at += piece) {
        std::string part(std::min(piece, from + 8192 - at), '\0');
        ASSERT_TRUE(subset->Read(file, at, part.data(), part.size()));
        pieces += part;
      }
      EXPECT_EQ(pieces, view.substr(from, 8192)) << piece;
    }
  }
  char byte = 0;
  EXPECT_TRUE(subset->Read(file, view.size(), &byte, 0));
  EXPECT_FALSE(subset->Read(file, view.size(), &byte, 1));
  EXPECT_FALSE(subset->Read(file, view.size() - 1, &byte, 2));
}

struct Channel {
  int bank;
  int program;
  std::vector<int> keys;
};

// Plays the channels' keys at once for half a second and lets them go for another half;
// answers the left and right samples one after the other. `wanted` empty loads the whole
// soundfont.
std::vector<float> RenderPhrase(const std::string& soundfont,
                                const std::vector<SoundfontPreset>& wanted,
                                const std::vector<Channel>& channels, std::string* loaded) {
  constexpr double kSampleRate = 22050;
  const FluidSynthLibrary& fluid = *FluidSynthLibrary::Load();
  fluid_settings_t* settings = fluid.new_fluid_settings();
  fluid.fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid.fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  fluid_synth_t* synth = fluid.new_fluid_synth(settings);
  *loaded = wanted.empty() ? soundfont : AddSubsetLoader(synth, settings, soundfont, wanted);
  std::vector<float> sound;
  if (fluid.fluid_synth_sfload(synth, loaded->c_str(), 1) != FLUID_FAILED) {
    for (int chan = 0; chan < static_cast<int>(channels.size()); ++chan) {
      fluid.fluid_synth_bank_select(synth, chan, channels[chan].bank);
      fluid.fluid_synth_program_change(synth, chan, channels[chan].program);
      for (int key : channels[chan].keys) fluid.fluid_synth_noteon(synth, chan, key, 100);
    }
    std::vector<float> left(11025), right(11025);
    for (int half = 0; half < 2; ++half) {
      fluid.fluid_synth_write_float(synth, 11025, left.data(), 0, 1, right.data(), 0, 1);
      sound.insert(sound.end(), left.begin(), left.end());
      sound.insert(sound.end(), right.begin(), right.end());
      for (int chan = 0; chan < static_cast<int>(channels.size()); ++chan) {
        for (int key : channels[chan].keys) fluid.fluid_synth_noteoff(synth, chan, key);
      }
    }
  }
  fluid.delete_fluid_synth(synth);
  fluid.delete_fluid_settings(settings);
  return sound;
}

TEST_F(SoundfontSubsetTest, TheBundledTuneSoundsTheSameFromTheSubset) {
  const auto facts = ReadMidiFacts(ReadFile("games/sample/dat/bgm.mid"));  // the source folder
  ASSERT_TRUE(facts);
  const std::vector<SoundfontPreset> wanted = TunePresets(facts->programs);
  const auto plan = SoundfontSubset::Plan(soundfont, wanted);
  if (!plan) GTEST_SKIP() << soundfont << " is not laid out for a subset";
  EXPECT_LE(plan->KeptPresets(), static_cast<int>(wanted.size()));
  EXPECT_LT(plan->KeptPresets() * 4, plan->OriginalPresets());

  // The tune's instruments on channels of their own, its drums on channel 9; and a
  // channel whose bank no General MIDI soundfont holds, where FluidSynth falls back on
  // bank 0.
  std::vector<Channel> channels;
  Channel drums{0, 0, {36, 38, 42}};
  for (const MidiProgram& program : facts->programs) {
    if (program.channel == 9) {
      drums.program = program.program;
    } else if (channels.size() < 8) {
      const int key = 48 + 5 * static_cast<int>(channels.size());
      channels.push_back({program.bank, program.program, {key}});
    }
  }
  ASSERT_FALSE(channels.empty());
  const int fallback = channels.front().program;
  channels.resize(9, {0, 0, {}});
  channels.push_back(drums);
  channels.push_back({77, fallback, {67}});

  std::string whole_name, subset_name;
  const std::vector<float> whole = RenderPhrase(soundfont, {}, channels, &whole_name);
  const std::vector<float> subset = RenderPhrase(soundfont, wanted, channels, &subset_name);
  EXPECT_NE(subset_name, soundfont);
  ASSERT_FALSE(whole.empty());
  ASSERT_EQ(subset.size(), whole.size());
  float peak = 0, difference = 0;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    peak = std::max(peak, std::abs(whole[i]));
    difference = std::max(difference, std::abs(whole[i] - subset[i]));
  }
  EXPECT_GT(peak, 0.01F);
  EXPECT_LE(difference, 1e-6F);
}

}  // namespace
}  // namespace velune
