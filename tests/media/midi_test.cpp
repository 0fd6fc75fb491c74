#include <gtest/gtest.h>

#include "media/midi_file.h"
#include "media/midi_length.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using namespace velune::testing;

std::string Event(std::uint32_t delta, std::string bytes) { return Vlq(delta) + bytes; }
std::string Program(int channel, int program) {
  return Event(0, {static_cast<char>(0xC0 | channel), static_cast<char>(program)});
}

TEST(PlainMidiFile, LeavesOutAlienChunksAndUnwrapsRiffMidiFiles) {
  const std::string first = NoteOn(0, 60) + EndOfTrack(10), second = NoteOn(5, 62) + EndOfTrack(0);
  const std::string plain = Midi(1, 96, {first, second}), header = plain.substr(0, 14);
  const std::string alien = Chunk("XFIH", "odd") + Chunk("\x01\xFE\xFF\x80", "");
  const std::string with_aliens = header + alien + Track(first) + alien + Track(second);
  const struct {
    const char* name;
    std::string file;
    std::optional<std::string> plain;
  } cases[] = {
      {"alien chunks between", with_aliens, plain},
      {"all that follows the last track", plain + alien + "MTrk", plain},
      {"RIFF with other chunks",
       Rmid(RiffChunk("LIST", "INFOodd") + RiffChunk("data", with_aliens) + RiffChunk("DISP", "")),
       plain},
      {"an alien chunk before the header", alien + plain, std::nullopt},
      {"cut short", header + Track(first) + Chunk("XFIH", "abc").substr(0, 10), std::nullopt},
      {"one track of two", header + Track(first) + alien, std::nullopt},
      {"RIFF without data", Rmid(RiffChunk("LIST", "INFO")), std::nullopt},
      {"RIFF cut short", Rmid(RiffChunk("data", plain)).substr(0, 30), std::nullopt},
      {"RIFF of a WAVE", RiffChunk("RIFF", "WAVE" + RiffChunk("data", plain)), std::nullopt},
  };
  for (const auto& [name, file, held] : cases) EXPECT_EQ(PlainMidiFile(file), held) << name;
}

TEST(MidiLength, TheLatestEventWithTheTempoAppliedOrNothing) {
  const std::string notes = NoteOn(0, 60) + NoteOn(960, 62) + EndOfTrack(0);
  const struct {
    const char* name;
    std::string bytes;
    std::optional<std::int64_t> ms;
  } cases[] = {
      {"96 ticks a quarter", Midi(0, 96, {NoteOn(0, 60) + EndOfTrack(960)}), 5000},
      {"the first track's tempo for the second",
       Midi(1, 480, {Tempo(0, 1000000) + Tempo(480, 250000) + EndOfTrack(0), notes}), 1250},
      {"a tempo after the last event",
       Midi(0, 480, {NoteOn(0, 60) + Tempo(480, 1) + EndOfTrack(0)}), 500},
      {"a third of a ms rounded up", Midi(0, 1000, {Tempo(0, 333) + EndOfTrack(1)}), 1},
      {"the longest track, a tempo track",
       Midi(1, 480, {Tempo(0, 250000) + EndOfTrack(960), NoteOn(0, 60) + EndOfTrack(480)}), 500},
      {"no length", Midi(0, 1000, {EndOfTrack(0)}), 0},
      {"running status, one data byte, SysEx",
       Midi(0, 1000,
            {NoteOn(0, 60) + Event(100, "\x3E\x40") + Program(0, 5) + Event(0, "\xF0\x02\x01\xF7") +
             EndOfTrack(900)}),
       500},
      // 3000 ticks at 10 ticks a frame: 300 frames.
      {"24 frames a second", Midi(0, 0xE80A, {EndOfTrack(3000)}), 12500},
      {"25 frames a second", Midi(0, 0xE70A, {EndOfTrack(3000)}), 12000},
      {"29.97 frames a second", Midi(0, 0xE30A, {EndOfTrack(3000)}), 10010},
      {"30 frames a second", Midi(0, 0xE20A, {EndOfTrack(3000)}), 10000},
      {"no SMPTE rate", Midi(0, 0xE40A, {EndOfTrack(3000)}), std::nullopt},
      {"128 frames a second", Midi(0, 0x800A, {EndOfTrack(3000)}), std::nullopt},
      {"no ticks a frame", Midi(0, 0xE200, {EndOfTrack(3000)}), std::nullopt},
      {"a broken header", "MThd garbage", std::nullopt},
      {"format 2", Midi(2, 96, {EndOfTrack(0)}), std::nullopt},
      {"no ticks a quarter", Midi(0, 0, {EndOfTrack(0)}), std::nullopt},
      {"no status", Midi(0, 96, {std::string{'\x00', '\x3C', '\x40'}}), std::nullopt},
      {"an endless length", Midi(0, 96, {"\xFF\xFF\xFF\xFF\xFF"}), std::nullopt},
  };
  for (const auto& [name, bytes, ms] : cases) EXPECT_EQ(MidiLengthMs(bytes), ms) << name;
  for (const std::string& good : {TuneOfMs(100), Midi(0, 96, {Program(0, 10) + EndOfTrack(0)})}) {
    for (std::size_t cut = 0; cut + 3 < good.size(); ++cut) {
      EXPECT_FALSE(ReadMidiFacts(good.substr(0, cut))) << cut;
    }
  }
}

// Each program once, on the drum channel from whatever bank.
TEST(MidiFacts, TheLengthAndTheInstrumentsAndChannelsThatATuneUses) {
  const std::string melody = Program(0, 10) + NoteOn(0, 72) + Event(100, "\xC0\x0A") +
                             Event(100, "\xC0\x0B") + EndOfTrack(0);
  const std::string strings = Event(0, {'\xB2', '\x00', '\x01'}) + Program(2, 48) + EndOfTrack(10);
  const std::string drums = Event(0, "\x99\x24\x40") + Event(10, "\x26\x40") + EndOfTrack(0);
  const std::string file = Midi(1, 96, {melody, strings, drums});
  const auto facts = ReadMidiFacts(file);
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->programs, (std::vector<MidiProgram>{{0, 0, 10}, {0, 0, 11}, {2, 1, 48}}));
  EXPECT_EQ(facts->channels, (1U << 0) | (1U << 2) | (1U << 9));
  EXPECT_EQ(facts->length_ticks, 200U);
  EXPECT_EQ(facts->length_ms, 1042);
}

}  // namespace
}  // namespace velune
