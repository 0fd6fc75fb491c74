#include "media/midi_length.h"

#include <gtest/gtest.h>

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

TEST(MidiLength, TheLatestEventWithTheTempoApplied) {
  EXPECT_EQ(MidiLengthMs(TuneOfMs(1500)), 1500);
  // 96 ticks a quarter at the default 120 bpm: 960 ticks are five quarters, 2500 ms.
  EXPECT_EQ(MidiLengthMs(Midi(0, 96, {NoteOn(0, 60) + EndOfTrack(960)})), 5000);
  // Tempo changes in the first track apply to the notes of the second.
  const std::string tempo_track = Tempo(0, 1000000) + Tempo(480, 250000) + EndOfTrack(0);
  const std::string notes = NoteOn(0, 60) + NoteOn(960, 62) + EndOfTrack(0);
  EXPECT_EQ(MidiLengthMs(Midi(1, 480, {tempo_track, notes})), 1000 + 250);
  // A tempo change after the last event changes nothing.
  EXPECT_EQ(MidiLengthMs(Midi(0, 480, {NoteOn(0, 60) + Tempo(480, 1) + EndOfTrack(0)})), 500);
  // The longest track, in ticks and in ms, at 240 beats a minute.
  const auto facts = ReadMidiFacts(
      Midi(1, 480, {Tempo(0, 250000) + EndOfTrack(960), NoteOn(0, 60) + EndOfTrack(480)}));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->length_ticks, 960U);
  EXPECT_EQ(facts->length_ms, 500);
}

TEST(MidiLength, RoundsUpToWholeMilliseconds) {
  // One tick of 1/3 ms: 1 tick at 1000 ticks a quarter and 333 µs a quarter.
  EXPECT_EQ(MidiLengthMs(Midi(0, 1000, {Tempo(0, 333) + EndOfTrack(1)})), 1);
  EXPECT_EQ(MidiLengthMs(Midi(0, 1000, {EndOfTrack(0)})), 0);
}

TEST(MidiLength, RunningStatusAndSysEx) {
  const std::string running = NoteOn(0, 60) + Vlq(100) +
                              std::string{'\x3E', '\x40'} +           // running status
                              Vlq(0) + std::string{'\xC0', '\x05'} +  // one data byte
                              Vlq(0) + "\xF0\x02\x01\xF7" + EndOfTrack(900);
  EXPECT_EQ(MidiLengthMs(Midi(0, 1000, {running})), 500);
}

TEST(MidiLength, SmpteTime) {
  // 3000 ticks at 10 ticks a frame: 300 frames, by the frames a second (minus the first byte).
  const struct {
    int division;
    std::optional<std::int64_t> ms;
  } divisions[] = {
      {0xE80A, 12500},         // 24 frames a second
      {0xE70A, 12000},         // 25
      {0xE30A, 10010},         // 29: 30 drop-frame, 29.97 frames a second
      {0xE20A, 10000},         // 30
      {0xE40A, std::nullopt},  // 28: no SMPTE rate
      {0x800A, std::nullopt},  // 128
      {0xE200, std::nullopt},  // no ticks a frame
  };
  for (const auto& [division, ms] : divisions) {
    EXPECT_EQ(MidiLengthMs(Midi(0, division, {EndOfTrack(3000)})), ms) << division;
  }
}

TEST(MidiLength, RefusesWhatIsNotAPlayableFile) {
  EXPECT_EQ(MidiLengthMs(""), std::nullopt);
  EXPECT_EQ(MidiLengthMs("RIFF"), std::nullopt);
  EXPECT_EQ(MidiLengthMs("MThd garbage"), std::nullopt);
  EXPECT_EQ(MidiLengthMs(Midi(2, 96, {EndOfTrack(0)})), std::nullopt);  // format 2
  EXPECT_EQ(MidiLengthMs(Midi(0, 0, {EndOfTrack(0)})), std::nullopt);
  const std::string good = TuneOfMs(100);
  for (std::size_t cut = 0; cut + 3 < good.size(); ++cut) {
    EXPECT_EQ(MidiLengthMs(good.substr(0, cut)), std::nullopt) << cut;  // truncated
  }
  const std::string program = Midi(0, 96, {Program(0, 0, 10) + EndOfTrack(0)});
  for (std::size_t cut = 0; cut < program.size(); ++cut) {
    EXPECT_FALSE(ReadMidiFacts(program.substr(0, cut))) << cut;
  }
  EXPECT_EQ(MidiLengthMs(Midi(0, 96, {std::string{'\x00', '\x3C', '\x40'}})),
            std::nullopt);                                                       // no status
  EXPECT_EQ(MidiLengthMs(Midi(0, 96, {"\xFF\xFF\xFF\xFF\xFF"})), std::nullopt);  // endless length
}

TEST(MidiFacts, TheInstrumentsAndChannelsThatATuneUses) {
  const std::string melody =
      Program(0, 0, 10) + NoteOn(0, 72) + Program(100, 0, 10) + Program(100, 0, 11) + EndOfTrack(0);
  const std::string strings = BankSelect(0, 2, 1) + Program(0, 2, 48) + EndOfTrack(10);
  // Running status: two note-ons on channel 9 after one status byte.
  const std::string drums = Vlq(0) + std::string{'\x99', '\x24', '\x40'} + Vlq(10) +
                            std::string{'\x26', '\x40'} + EndOfTrack(0);
  const std::string file = Midi(1, 96, {melody, strings, drums});
  // The same from a RIFF MIDI file with a chunk of another type before the tracks.
  const std::string riff =
      Rmid(RiffChunk("data", file.substr(0, 14) + Chunk("XFIH", "") + file.substr(14)));
  for (const std::string& bytes : {file, riff}) {
    const auto facts = ReadMidiFacts(bytes);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->programs,
              (std::vector<MidiProgram>{{0, 0, 10}, {0, 0, 11}, {2, 1, 48}}));  // each once
    EXPECT_EQ(facts->channels, (1U << 0) | (1U << 2) | (1U << 9));
    EXPECT_EQ(MidiLengthMs(bytes), 1042);  // 200 ticks at 96 a quarter and 120 a minute
  }
}

}  // namespace
}  // namespace velune
