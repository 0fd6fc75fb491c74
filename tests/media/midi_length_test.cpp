#include <gtest/gtest.h>

#include "media/midi_length.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using namespace velune::testing;

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
}

TEST(MidiLength, RoundsUpToWholeMilliseconds) {
  // One tick of 1/3 ms: 1 tick at 1000 ticks a quarter and 333 µs a quarter.
  EXPECT_EQ(MidiLengthMs(Midi(0, 1000, {Tempo(0, 333) + EndOfTrack(1)})), 1);
  EXPECT_EQ(MidiLengthMs(Midi(0, 1000, {EndOfTrack(0)})), 0);
}

TEST(MidiLength, RunningStatusSysExAndSmpteTime) {
  const std::string running = NoteOn(0, 60) + Vlq(100) +
                              std::string{'\x3E', '\x40'} +           // running status
                              Vlq(0) + std::string{'\xC0', '\x05'} +  // one data byte
                              Vlq(0) + "\xF0\x02\x01\xF7" + EndOfTrack(900);
  EXPECT_EQ(MidiLengthMs(Midi(0, 1000, {running})), 500);
  // 25 frames a second, 40 ticks a frame: 1000 ticks a second.
  EXPECT_EQ(MidiLengthMs(Midi(0, 0xE728, {NoteOn(0, 60) + EndOfTrack(2500)})), 2500);
}

TEST(MidiLength, RefusesWhatIsNotAPlayableFile) {
  EXPECT_EQ(MidiLengthMs(""), std::nullopt);
  EXPECT_EQ(MidiLengthMs("RIFF"), std::nullopt);
  EXPECT_EQ(MidiLengthMs(Midi(2, 96, {EndOfTrack(0)})), std::nullopt);  // format 2
  EXPECT_EQ(MidiLengthMs(Midi(0, 0, {EndOfTrack(0)})), std::nullopt);
  const std::string good = TuneOfMs(100);
  for (std::size_t cut = 0; cut + 3 < good.size(); ++cut) {
    EXPECT_EQ(MidiLengthMs(good.substr(0, cut)), std::nullopt) << cut;  // truncated
  }
  EXPECT_EQ(MidiLengthMs(Midi(0, 96, {std::string{'\x00', '\x3C', '\x40'}})),
            std::nullopt);                                                       // no status
  EXPECT_EQ(MidiLengthMs(Midi(0, 96, {"\xFF\xFF\xFF\xFF\xFF"})), std::nullopt);  // endless length
}

}  // namespace
}  // namespace velune
