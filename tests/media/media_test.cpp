#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "media/mci_interpreter.h"
#include "media/midi_file.h"
#include "media/midi_length.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using namespace velune::testing;
using enum TuneDevice::Mode;
using namespace std::string_literals;

// Alien chunks left out, even after the last track, RIFF unwrapped; nothing from no tune.
TEST(MidiFile, ThePlainTuneItsLengthAndItsInstruments) {
  const std::string first = NoteOn(0, 60) + EndOfTrack(10), second = NoteOn(5, 62) + EndOfTrack(0);
  const std::string plain = Midi(1, 96, {first, second}), header = plain.substr(0, 14);
  const std::string alien = Chunk("XFIH", "odd") + Chunk("\x01\xFE\xFF\x80", "");
  const std::string aliens = header + alien + Track(first) + alien + Track(second) + alien + "MTrk";
  EXPECT_EQ(PlainMidiFile(Rmid(RiffChunk("LIST", "INFOodd") + RiffChunk("data", aliens))), plain);
  const std::string notes = NoteOn(0, 60) + NoteOn(960, 62) + EndOfTrack(0);
  const std::tuple<const char*, std::string, std::optional<std::int64_t>> cases[] = {
      {"an alien chunk before the header", alien + plain, std::nullopt},
      {"cut short", header + Track(first) + Chunk("XFIH", "abc").substr(0, 10), std::nullopt},
      {"one track of two", header + Track(first) + alien, std::nullopt},
      {"RIFF without data", Rmid(RiffChunk("LIST", "INFO")), std::nullopt},
      {"RIFF cut short", Rmid(RiffChunk("data", plain)).substr(0, 30), std::nullopt},
      {"RIFF of a WAVE", RiffChunk("RIFF", "WAVE" + RiffChunk("data", plain)), std::nullopt},
      {"96 ticks a quarter", Midi(0, 96, {NoteOn(0, 60) + EndOfTrack(960)}), 5000},
      {"the first track's tempo for the second",
       Midi(1, 480, {Tempo(0, 1000000) + Tempo(480, 250000) + EndOfTrack(0), notes}), 1250},
      {"a tempo after the end", Midi(0, 480, {NoteOn(0, 60) + Tempo(480, 1) + EndOfTrack(0)}), 500},
      {"a third of a ms rounded up", Midi(0, 1000, {Tempo(0, 333) + EndOfTrack(1)}), 1},
      {"the longest track, a tempo track",
       Midi(1, 480, {Tempo(0, 250000) + EndOfTrack(960), NoteOn(0, 60) + EndOfTrack(480)}), 500},
      {"no length", Midi(0, 1000, {EndOfTrack(0)}), 0},
      {"running status, SysEx",
       Midi(0, 1000,
            {NoteOn(0, 60) + "\x64\x3E\x40\0\xC0\x05"s + "\0\xF0\x02\x01\xF7"s + EndOfTrack(900)}),
       500},
      // 3000 ticks at 10 ticks a frame: 300 frames.
      {"24 frames a second", Midi(0, 0xE80A, {EndOfTrack(3000)}), 12500},
      {"25 frames a second", Midi(0, 0xE70A, {EndOfTrack(3000)}), 12000},
      {"29.97 frames a second", Midi(0, 0xE30A, {EndOfTrack(3000)}), 10010},
      {"30 frames a second", Midi(0, 0xE20A, {EndOfTrack(3000)}), 10000},
      {"no SMPTE rate", Midi(0, 0xE40A, {EndOfTrack(3000)}), std::nullopt},
      {"no ticks a frame", Midi(0, 0xE200, {EndOfTrack(3000)}), std::nullopt},
      {"a broken header", "MThd garbage", std::nullopt},
      {"format 2", Midi(2, 96, {EndOfTrack(0)}), std::nullopt},
      {"no ticks a quarter", Midi(0, 0, {EndOfTrack(0)}), std::nullopt},
      {"no status", Midi(0, 96, {std::string{'\x00', '\x3C', '\x40'}}), std::nullopt},
      {"an endless length", Midi(0, 96, {"\xFF\xFF\xFF\xFF\xFF"}), std::nullopt},
  };
  for (const auto& [name, bytes, ms] : cases) EXPECT_EQ(MidiLengthMs(bytes), ms) << name;
  for (const std::string& good : {TuneOfMs(100), Midi(0, 96, {"\0\xC0\x0A"s + EndOfTrack(0)})}) {
    for (std::size_t n = 0; n + 3 < good.size(); ++n)
      EXPECT_FALSE(ReadMidiFacts(good.substr(0, n)));
  }
  // Each program once, on the drum channel from whatever bank.
  const std::string melody = "\0\xC0\x0A\x64\xC0\x0A\x64\xC0\x0B"s + EndOfTrack(0);
  const std::string strings = "\0\xB2\0\x01\0\xC2\x30"s + EndOfTrack(10);
  const std::string drums = "\0\x99\x24\x40\x0A\x26\x40"s + EndOfTrack(0);
  const auto facts = ReadMidiFacts(Midi(1, 96, {melody, strings, drums}));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->programs, (std::vector<MidiProgram>{{0, 0, 10}, {0, 0, 11}, {2, 1, 48}}));
  EXPECT_EQ(facts->channels, (1U << 0) | (1U << 2) | (1U << 9));
  EXPECT_EQ(facts->length_ticks, 200U);
}

// Writes down the calls it gets; opens what ends in bgm.mid.
struct RecordingDevice : TuneDevice {
  bool Open(const std::string& path) override {
    return Heard("Open " + path, path.ends_with("bgm.mid") ? kStopped : kClosed) != kClosed;
  }
  void Close() override { Heard("Close", kClosed); }
  void Play() override { Heard("Play", kPlaying); }
  void Stop() override { Heard("Stop", kStopped); }
  void SeekToStart() override { Heard("Seek", kStopped); }
  Mode GetMode() override { return Heard("Mode", mode); }
  Mode Heard(const std::string& call, Mode then) {
    calls += (calls.empty() ? "" : ",") + call;
    return mode = then;
  }
  Mode mode = kClosed;
  std::string calls;
};

// Nothing answers before an open. A path goes as it is, up to the last quote before alias.
TEST(MciCommands, AnswersTheGamesCommandsAndRefusesAllElse) {
  RecordingDevice device;
  MciInterpreter mci{device};
  std::array<char, 16> reply;
  // What the device heard, and the reply as the game's poll reads it.
  const auto say = [&](std::string_view command, int length = 15) {
    device.calls.clear();
    reply.fill('#');
    const int result = mci.SendString(command, reply.data(), length);
    const auto end = std::find(reply.begin(), reply.end(), '\0');
    const std::string heard =
        device.calls + (end == reply.end() ? "" : "→" + std::string(reply.begin(), end));
    return result == MciInterpreter::kOk ? heard : "refused" + heard;
  };
  const std::pair<std::string, std::string> transcript[] = {
      {"status MIDI mode", "refused"},
      {"open \"/a/\"Velune\"/missing.mid\" alias MIDI", "refusedOpen /a/\"Velune\"/missing.mid"},
      {"play MIDI notify", "refused"},
      {"open \"\"\" alias MIDI", "refusedOpen \""},
      {"OPEN \"C:\\Velune \x83\x51\\bgm.mid\"  ALIAS Midi", "Open C:\\Velune \x83\x51\\bgm.mid"},
      {"status MIDI mode", "Mode→stopped"},
      {"Play midi Notify", "Play"},
      {"STATUS MIDI MODE", "Mode→playing"},
      {"stop MIDI notify", "Stop"},
      {"  seek\tMIDI  TO   Start  ", "Seek"},
      {"play MIDI from 0", "Seek,Play"},
      {"close MIDI notify", "Close"},
      {"open \"/x/\" alias MIDI\" \"/bgm.mid\" alias BGM", "Open /x/\" alias MIDI\" \"/bgm.mid"},
      {"play MIDI", "refused"},
      {"play bgm", "Play"},
  };
  for (const auto& [command, heard] : transcript) EXPECT_EQ(say(command), heard) << command;
  // clang-format off
  const std::string refused[] = {"", "play", "pause BGM", "\"play\" BGM", "play \"BGM\"",
      "play BGM from 5", "play BGM from 0 notify", "seek BGM to end", "status BGM length",
      "play B\"GM", "open /x/bgm.mid alias BGM", "open \"/x/bgm.mid", "open \"/x/bgm.mid\"",
      "open \"/x/bgm.mid\" alias X", "open \"/x/a.mid\" as X", {"play BGM\0 notify", 16},
      "play BGM\r\n"};
  // clang-format on
  for (const std::string& command : refused) EXPECT_EQ(say(command), "refused") << command;
  EXPECT_EQ(device.mode, kPlaying);
  EXPECT_EQ(say("status BGM mode", 5), "Mode→play");  // cut to the length, the NUL included
  device.mode = kClosed;                              // the tune is lost
  EXPECT_EQ(say("status BGM mode"), "Mode→not ready");
  EXPECT_EQ(say("close BGM"), "Close");
  EXPECT_EQ(mci.Mode(), kClosed);
}

}  // namespace
}  // namespace velune
