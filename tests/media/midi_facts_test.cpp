#include <gtest/gtest.h>

#include "media/midi_length.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using namespace velune::testing;

std::string Program(std::uint32_t delta, int channel, int program) {
  return Vlq(delta) + std::string{static_cast<char>(0xC0 | channel), static_cast<char>(program)};
}

std::string BankSelect(std::uint32_t delta, int channel, int bank) {
  return Vlq(delta) +
         std::string{static_cast<char>(0xB0 | channel), '\x00', static_cast<char>(bank)};
}

TEST(MidiFacts, LengthInTicksAndInMs) {
  const auto facts = ReadMidiFacts(
      Midi(1, 480, {Tempo(0, 250000) + EndOfTrack(960), NoteOn(0, 60) + EndOfTrack(480)}));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->length_ticks, 960U);  // the longest track
  EXPECT_EQ(facts->length_ms, 500);      // at 240 beats a minute
  EXPECT_EQ(MidiLengthMs(Midi(0, 1000, {EndOfTrack(0)})), 0);
}

TEST(MidiFacts, TheInstrumentsAndChannelsThatATuneUses) {
  const std::string melody =
      Program(0, 0, 10) + NoteOn(0, 72) + Program(100, 0, 10) + Program(100, 0, 11) + EndOfTrack(0);
  const std::string strings = BankSelect(0, 2, 1) + Program(0, 2, 48) + EndOfTrack(10);
  // Running status: two note-ons on channel 9 after one status byte.
  const std::string drums = Vlq(0) + std::string{'\x99', '\x24', '\x40'} + Vlq(10) +
                            std::string{'\x26', '\x40'} + EndOfTrack(0);
  const auto facts = ReadMidiFacts(Midi(1, 96, {melody, strings, drums}));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->programs,
            (std::vector<MidiProgram>{{0, 0, 10}, {0, 0, 11}, {2, 1, 48}}));  // each once
  EXPECT_EQ(facts->channels, (1U << 0) | (1U << 2) | (1U << 9));
}

TEST(MidiFacts, NothingForWhatIsNoTune) {
  EXPECT_FALSE(ReadMidiFacts(""));
  EXPECT_FALSE(ReadMidiFacts("MThd garbage"));
  const std::string cut = Midi(0, 96, {Program(0, 0, 10) + EndOfTrack(0)});
  for (std::size_t size = 0; size < cut.size(); ++size) {
    EXPECT_FALSE(ReadMidiFacts(cut.substr(0, size))) << size;
  }
}

}  // namespace
}  // namespace velune
