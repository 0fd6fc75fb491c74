#include "media/soundfont_subset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <sstream>

#include "media/fluidsynth_library.h"
#include "media/fluidsynth_system.h"
#include "media/midi_length.h"
#include "media/soundfont_subset_loader.h"
#include "test_files.h"

namespace velune {
namespace {

// ---- Tiny soundfonts, written record by record ----

struct Gen {
  std::uint16_t oper = 0;
  std::uint16_t amount = 0;
};
struct Zone {
  std::vector<Gen> gens;
  std::vector<std::uint16_t> mods;  // one modulator each, told apart by its amount
};
struct TestPreset {
  std::string name;
  std::uint16_t bank = 0, program = 0;
  std::vector<Zone> zones;
};
struct TestInstrument {
  std::string name;
  std::vector<Zone> zones;
};
struct TestSample {
  std::string name;
  std::uint16_t type = 1;  // mono
  std::uint16_t link = 0;
};
struct TestFont {
  std::vector<TestPreset> presets;
  std::vector<TestInstrument> instruments;
  std::vector<TestSample> samples;
  std::vector<std::string> lists = {"INFO", "sdta", "pdta"};
  std::string after_samples;  // bytes appended to the sample headers
};

constexpr std::uint16_t kInstrumentGen = 41;
constexpr std::uint16_t kSampleGen = 53;
constexpr std::uint16_t kPan = 17;
constexpr std::uint16_t kKeyRange = 43;

std::string Le(std::uint32_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Chunk(const std::string& id, const std::string& data) {
  return id + Le(static_cast<std::uint32_t>(data.size()), 4) + data;
}

std::string Name(const std::string& name) {
  std::string out = name;
  out.resize(20, '\0');
  return out;
}

// Appends the zones of one preset or instrument to its level's bags, mods and gens.
void AppendZones(const std::vector<Zone>& zones, std::array<std::string, 4>& level) {
  auto& [heads, bags, mods, gens] = level;
  for (const Zone& zone : zones) {
    bags += Le(gens.size() / 4, 2) + Le(mods.size() / 10, 2);
    for (const Gen& gen : zone.gens) gens += Le(gen.oper, 2) + Le(gen.amount, 2);
    for (std::uint16_t mod : zone.mods) mods += Le(2, 2) + Le(48, 2) + Le(mod, 2) + Le(0, 4);
  }
}

// The terminal bag, modulator and generator of a level.
void AppendTerminals(std::array<std::string, 4>& level) {
  auto& [heads, bags, mods, gens] = level;
  bags += Le(gens.size() / 4, 2) + Le(mods.size() / 10, 2);
  mods += std::string(10, '\0');
  gens += std::string(4, '\0');
}

std::string Bytes(const TestFont& font) {
  std::array<std::string, 4> presets, instruments;  // headers, bags, mods, gens
  for (const TestPreset& preset : font.presets) {
    presets[0] += Name(preset.name) + Le(preset.program, 2) + Le(preset.bank, 2) +
                  Le(presets[1].size() / 4, 2) + std::string(12, '\0');
    AppendZones(preset.zones, presets);
  }
  presets[0] += Name("EOP") + Le(0, 4) + Le(presets[1].size() / 4, 2) + std::string(12, '\0');
  AppendTerminals(presets);
  for (const TestInstrument& instrument : font.instruments) {
    instruments[0] += Name(instrument.name) + Le(instruments[1].size() / 4, 2);
    AppendZones(instrument.zones, instruments);
  }
  instruments[0] += Name("EOI") + Le(instruments[1].size() / 4, 2);
  AppendTerminals(instruments);
  std::string samples;
  std::uint32_t start = 0;
  for (const TestSample& sample : font.samples) {
    samples += Name(sample.name) + Le(start, 4) + Le(start + 8, 4) + Le(start + 2, 4) +
               Le(start + 6, 4) + Le(22050, 4) + Le(60, 1) + Le(0, 1) + Le(sample.link, 2) +
               Le(sample.type, 2);
    start += 10;
  }
  samples += Name("EOS") + std::string(26, '\0') + font.after_samples;

  std::string pcm;
  for (std::uint32_t i = 0; i < start + 46; ++i) pcm += Le(i * 37 % 65536, 2);
  std::map<std::string, std::string> lists;
  lists["INFO"] = Chunk("LIST", "INFO" + Chunk("ifil", Le(2, 2) + Le(1, 2)) +
                                    Chunk("isng", std::string("EMU8000\0", 8)) +
                                    Chunk("INAM", std::string("Tiny\0\0", 6)));
  lists["sdta"] = Chunk("LIST", "sdta" + Chunk("smpl", pcm));
  lists["pdta"] = Chunk("LIST", "pdta" + Chunk("phdr", presets[0]) + Chunk("pbag", presets[1]) +
                                    Chunk("pmod", presets[2]) + Chunk("pgen", presets[3]) +
                                    Chunk("inst", instruments[0]) + Chunk("ibag", instruments[1]) +
                                    Chunk("imod", instruments[2]) + Chunk("igen", instruments[3]) +
                                    Chunk("shdr", samples));
  std::string body = "sfbk";
  for (const std::string& list : font.lists) body += lists[list];
  return Chunk("RIFF", body);
}

// Samples listed with an unused one first, a stereo pair of which the instrument names
// only the left; instruments and presets likewise, with global zones and modulators.
TestFont Font() {
  TestFont font;
  font.samples = {{"Unused"}, {"PianoC"}, {"StringsL", 4, 3}, {"StringsR", 2, 2},
                  {"OrganC"}, {"Kick"},   {"Snare"}};
  font.instruments = {
      {"UnusedInst", {{{{kSampleGen, 0}}, {}}}},
      {"Piano", {{{{8, 9000}}, {5}}, {{{kKeyRange, 0x7F00}, {kSampleGen, 1}}, {6, 7}}}},
      {"Strings", {{{{kSampleGen, 2}}, {}}}},
      {"Organ", {{{{kSampleGen, 4}}, {}}}},
      {"Kit",
       {{{{kKeyRange, 0x2424}, {kSampleGen, 5}}, {}},
        {{{kKeyRange, 0x2626}, {kSampleGen, 6}}, {}}}},
  };
  font.presets = {
      {"Unused", 0, 99, {{{{kInstrumentGen, 0}}, {}}}},
      {"Drums", 128, 0, {{{{kInstrumentGen, 4}}, {}}}},
      {"Piano", 0, 0, {{{{kPan, 100}}, {1, 2}}, {{{kInstrumentGen, 1}}, {3}}}},
      {"Strings", 0, 48, {{{{kPan, 20}, {kInstrumentGen, 2}}, {}}}},
      {"Organ", 8, 16, {{{{kInstrumentGen, 3}}, {}}, {{{kInstrumentGen, 1}}, {4}}}},
  };
  return font;
}

// ---- Reading a soundfont back, every index followed to the record that it names ----

struct Described {
  std::map<std::string, std::string> presets;  // "bank:program name" -> zones, resolved
  std::size_t instruments = 0;
  std::size_t samples = 0;
  bool terminals_right = false;
};

std::uint32_t At(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

Described Describe(const std::string& file) {
  std::size_t at = 12;
  while (file.compare(at + 8, 4, "pdta") != 0) at += 8 + At(file, at + 4, 4);
  std::map<std::string, std::string> chunks;
  for (std::size_t sub = at + 12; sub < file.size(); sub += 8 + At(file, sub + 4, 4)) {
    chunks[file.substr(sub, 4)] = file.substr(sub + 8, At(file, sub + 4, 4));
  }
  const auto count = [&](const char* id, std::size_t size) { return chunks[id].size() / size; };
  const auto word = [&](const char* id, std::size_t size, std::size_t index, std::size_t field) {
    return At(chunks[id], index * size + field, 2);
  };
  const auto name = [&](const char* id, std::size_t size, std::size_t index) {
    return std::string(chunks[id].substr(index * size, 20).c_str());
  };
  const auto sample = [&](std::size_t index) {
    std::ostringstream out;
    out << name("shdr", 46, index) << " at " << At(chunks["shdr"], index * 46 + 20, 4) << " type "
        << word("shdr", 46, index, 44);
    if (word("shdr", 46, index, 44) & 6)
      out << " with " << name("shdr", 46, word("shdr", 46, index, 42));
    return out.str();
  };
  // The zones of header `index` of a level, with `link` followed by `below`.
  const auto zones = [&](const char* head, std::size_t size, std::size_t bag_at, const char* bag,
                         const char* mod, const char* gen, std::uint16_t link,
                         const std::function<std::string(std::size_t)>& below, std::size_t index) {
    std::ostringstream out;
    for (std::size_t b = word(head, size, index, bag_at); b < word(head, size, index + 1, bag_at);
         ++b) {
      out << "(";
      for (std::size_t g = word(bag, 4, b, 0); g < word(bag, 4, b + 1, 0); ++g) {
        if (word(gen, 4, g, 0) == link) {
          out << "{" << below(word(gen, 4, g, 2)) << "}";
        } else {
          out << word(gen, 4, g, 0) << "=" << word(gen, 4, g, 2) << " ";
        }
      }
      for (std::size_t m = word(bag, 4, b, 2); m < word(bag, 4, b + 1, 2); ++m) {
        out << " mod " << word(mod, 10, m, 4);
      }
      out << ")";
    }
    return out.str();
  };
  const auto instrument = [&](std::size_t index) {
    return name("inst", 22, index) +
           zones("inst", 22, 20, "ibag", "imod", "igen", kSampleGen, sample, index);
  };
  Described described;
  for (std::size_t p = 0; p + 1 < count("phdr", 38); ++p) {
    const std::string key = std::to_string(word("phdr", 38, p, 22)) + ":" +
                            std::to_string(word("phdr", 38, p, 20)) + " " + name("phdr", 38, p);
    described.presets[key] =
        zones("phdr", 38, 24, "pbag", "pmod", "pgen", kInstrumentGen, instrument, p);
  }
  described.instruments = count("inst", 22) - 1;
  described.samples = count("shdr", 46) - 1;
  const std::size_t last_preset = count("phdr", 38) - 1, last_instrument = count("inst", 22) - 1;
  described.terminals_right = name("phdr", 38, last_preset) == "EOP" &&
                              name("inst", 22, last_instrument) == "EOI" &&
                              name("shdr", 46, count("shdr", 46) - 1) == "EOS" &&
                              word("phdr", 38, last_preset, 24) == count("pbag", 4) - 1 &&
                              word("inst", 22, last_instrument, 20) == count("ibag", 4) - 1 &&
                              word("pbag", 4, count("pbag", 4) - 1, 0) == count("pgen", 4) - 1 &&
                              word("pbag", 4, count("pbag", 4) - 1, 2) == count("pmod", 10) - 1 &&
                              word("ibag", 4, count("ibag", 4) - 1, 0) == count("igen", 4) - 1 &&
                              word("ibag", 4, count("ibag", 4) - 1, 2) == count("imod", 10) - 1;
  return described;
}

std::string ReadView(const SoundfontSubset& subset) {
  std::ifstream original(subset.Path(), std::ios::binary);
  std::string view(subset.Size(), '\0');
  EXPECT_TRUE(subset.Read(original, 0, view.data(), view.size()));
  return view;
}

class SoundfontSubsetTest : public ::testing::Test {
 protected:
  testing::ScratchFolder folder{"velune-soundfont-subset"};
};

TEST_F(SoundfontSubsetTest, KeepsTheWantedPresetsAndWhatTheyUse) {
  struct Case {
    std::string name;
    std::vector<SoundfontPreset> wanted;
    std::vector<std::string> kept;
    std::size_t instruments, samples;
  };
  const Case cases[] = {
      // The left sample's partner comes along.
      {"one preset", {{0, 48}}, {"0:48 Strings"}, 1, 2},
      {"the starting presets", {{0, 0}, {128, 0}}, {"0:0 Piano", "128:0 Drums"}, 2, 3},
      {"a layered preset, one missing", {{8, 16}, {0, 5}}, {"8:16 Organ"}, 2, 2},
      {"twice the same", {{0, 48}, {0, 48}}, {"0:48 Strings"}, 1, 2},
      {"all that are used",
       {{0, 0}, {0, 48}, {8, 16}, {128, 0}},
       {"0:0 Piano", "0:48 Strings", "128:0 Drums", "8:16 Organ"},
       4,
       6},
  };
  const std::string original = Bytes(Font());
  const std::string path = folder.Write("tiny.sf2", original);
  const Described whole = Describe(original);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto subset = SoundfontSubset::Plan(path, c.wanted);
    ASSERT_TRUE(subset);
    EXPECT_EQ(subset->KeptPresets(), static_cast<int>(c.kept.size()));
    EXPECT_EQ(subset->OriginalPresets(), 5);
    const Described view = Describe(ReadView(*subset));
    std::vector<std::string> kept;
    for (const auto& [key, zones] : view.presets) {
      kept.push_back(key);
      // Every instrument and sample that the preset names, down to the stereo partner, is
      // the one of the same name and content as in the original.
      EXPECT_EQ(zones, whole.presets.at(key)) << key;
    }
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(view.instruments, c.instruments);
    EXPECT_EQ(view.samples, c.samples);
    EXPECT_TRUE(view.terminals_right);
  }
}

TEST_F(SoundfontSubsetTest, TheViewIsTheOriginalUpToItsSamplesThenTheNewPresetData) {
  const std::string original = Bytes(Font());
  const std::string path = folder.Write("tiny.sf2", original);
  const auto subset = SoundfontSubset::Plan(path, {{0, 48}});
  ASSERT_TRUE(subset);
  const std::string view = ReadView(*subset);
  ASSERT_EQ(view.size(), subset->Size());
  EXPECT_LT(view.size(), original.size());

  // The original's pdta LIST starts where its sample data ends.
  const std::size_t pdta = original.find("pdtaphdr") - 8;
  EXPECT_EQ(view.substr(0, 4), "RIFF");
  EXPECT_EQ(At(view, 4, 4), view.size() - 8);
  EXPECT_EQ(view.substr(8, pdta - 8), original.substr(8, pdta - 8));
  EXPECT_EQ(view.substr(pdta, 4), "LIST");
  EXPECT_EQ(At(view, pdta + 4, 4), view.size() - pdta - 8);
  EXPECT_EQ(view.substr(pdta + 8, 4), "pdta");

  // Pieces of any size, across the RIFF size field and the start of the new data, read the
  // same bytes; nothing past the end.
  std::ifstream file(path, std::ios::binary);
  for (std::size_t piece : {1, 3, 7, 64}) {
    std::string pieces;
    for (std::size_t at = 0; at < view.size(); at += piece) {
      std::string part(std::min(piece, view.size() - at), '\0');
      ASSERT_TRUE(subset->Read(file, at, part.data(), part.size()));
      pieces += part;
    }
    EXPECT_EQ(pieces, view) << piece;
  }
  char byte = 0;
  EXPECT_TRUE(subset->Read(file, view.size(), &byte, 0));
  EXPECT_FALSE(subset->Read(file, view.size(), &byte, 1));
  EXPECT_FALSE(subset->Read(file, view.size() - 1, &byte, 2));
}

// Overwrites a 16-bit field of a record in the pdta sub-chunk `id`.
std::string Patched(std::string bytes, const std::string& id, std::size_t record_size,
                    std::size_t index, std::size_t field, std::uint16_t value) {
  const std::size_t at = bytes.find(id) + 8 + index * record_size + field;
  bytes.replace(at, 2, Le(value, 2));
  return bytes;
}

TEST_F(SoundfontSubsetTest, RefusesWhatItCannotReadSafely) {
  const std::string good = Bytes(Font());
  const auto font_with = [](const std::function<void(TestFont&)>& change) {
    TestFont font = Font();
    change(font);
    return Bytes(font);
  };
  struct Case {
    std::string name;
    std::string bytes;
    std::vector<SoundfontPreset> wanted = {{0, 48}, {0, 0}};
  };
  const Case cases[] = {
      {"no RIFF", "RIFX" + good.substr(4)},
      {"no soundfont", good.substr(0, 8) + "sfbx" + good.substr(12)},
      {"sample data after the presets", font_with([](TestFont& font) {
         font.lists = {"INFO", "pdta", "sdta"};
       })},
      {"no INFO list", font_with([](TestFont& font) {
         font.lists = {"sdta", "pdta"};
       })},
      {"truncated", good.substr(0, good.size() - 20)},
      {"more than the RIFF holds", good + std::string(2, '\0')},
      {"a RIFF size past the end", good.substr(0, 4) + Le(At(good, 4, 4) + 2, 4) + good.substr(8)},
      {"an instrument out of range",
       font_with([](TestFont& font) { font.presets[3].zones[0].gens[1].amount = 5; })},
      {"a sample out of range",
       font_with([](TestFont& font) { font.instruments[1].zones[1].gens[1].amount = 7; })},
      {"a stereo partner out of range",
       font_with([](TestFont& font) { font.samples[2].link = 7; })},
      {"preset zones running backwards", Patched(good, "phdr", 38, 3, 24, 0)},
      {"a preset zone past the end", Patched(good, "phdr", 38, 5, 24, 200)},
      {"a generator past the end", Patched(good, "ibag", 4, 2, 0, 300)},
      {"a modulator past the end", Patched(good, "pbag", 4, 1, 2, 300)},
      {"records not whole", font_with([](TestFont& font) { font.after_samples = "ab"; })},
      {"a chunk missing", std::string(good).replace(good.find("imod"), 4, "imoX")},
      {"none of the wanted presets", good, {{1, 1}, {0, 5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.Write("broken.sf2", c.bytes);
    EXPECT_FALSE(SoundfontSubset::Plan(path, c.wanted));
  }
  EXPECT_FALSE(SoundfontSubset::Plan(folder.PathOf("missing.sf2"), {{0, 0}}));
  // The same file whole is fine.
  EXPECT_TRUE(SoundfontSubset::Plan(folder.Write("good.sf2", good), {{0, 48}, {0, 0}}));
}

TEST(TunePresets, CoversWhatFluidSynthMayFallBackTo) {
  struct Case {
    std::string name;
    std::vector<MidiProgram> programs;
    std::vector<SoundfontPreset> wanted;
  };
  const Case cases[] = {
      {"no program changes", {}, {{0, 0}, {128, 0}}},
      {"a melodic program", {{0, 0, 48}}, {{0, 0}, {0, 48}, {128, 0}}},
      {"a melodic program from another bank", {{3, 8, 16}}, {{0, 0}, {0, 16}, {8, 16}, {128, 0}}},
      {"the drum channel, whatever its bank",
       {{9, 0, 25}, {9, 5, 0}},
       {{0, 0}, {128, 0}, {128, 25}}},
      {"the same program on two channels", {{1, 0, 5}, {2, 0, 5}}, {{0, 0}, {0, 5}, {128, 0}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TunePresets(c.programs), c.wanted) << c.name;
  }
}

// ---- The real soundfont through FluidSynth ----

constexpr const char* kBundledTune = "games/sample/dat/bgm.mid";  // from the source folder
constexpr double kSampleRate = 22050;

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
  const FluidSynthLibrary& fluid = *FluidSynthLibrary::Load();
  fluid_settings_t* settings = fluid.new_fluid_settings();
  fluid.fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid.fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  fluid_synth_t* synth = fluid.new_fluid_synth(settings);
  *loaded = wanted.empty() ? soundfont : AddSubsetLoader(synth, settings, soundfont, wanted);
  std::vector<float> sound;
  if (fluid.fluid_synth_sfload(synth, loaded->c_str(), 1) != FLUID_FAILED) {
    for (std::size_t channel = 0; channel < channels.size(); ++channel) {
      const int chan = static_cast<int>(channel);
      fluid.fluid_synth_bank_select(synth, chan, channels[channel].bank);
      fluid.fluid_synth_program_change(synth, chan, channels[channel].program);
      for (int key : channels[channel].keys) fluid.fluid_synth_noteon(synth, chan, key, 100);
    }
    const int frames = static_cast<int>(kSampleRate / 2);
    std::vector<float> left(frames), right(frames);
    for (int half = 0; half < 2; ++half) {
      fluid.fluid_synth_write_float(synth, frames, left.data(), 0, 1, right.data(), 0, 1);
      sound.insert(sound.end(), left.begin(), left.end());
      sound.insert(sound.end(), right.begin(), right.end());
      for (std::size_t channel = 0; channel < channels.size(); ++channel) {
        for (int key : channels[channel].keys) {
          fluid.fluid_synth_noteoff(synth, static_cast<int>(channel), key);
        }
      }
    }
  }
  fluid.delete_fluid_synth(synth);
  fluid.delete_fluid_settings(settings);
  return sound;
}

TEST(SoundfontSubsetLoader, TheBundledTuneSoundsTheSameFromTheSubset) {
  const std::string soundfont = FindSoundfont();
  if (soundfont.empty() || FluidSynthLibrary::Load() == nullptr) {
    GTEST_SKIP() << "no FluidSynth or no General MIDI soundfont installed";
  }
  const auto facts = ReadMidiFacts(testing::ReadFile(kBundledTune));
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
