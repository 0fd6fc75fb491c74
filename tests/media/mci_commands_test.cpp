#include "media/mci_interpreter.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace velune {
namespace {

using Calls = std::vector<std::string>;

// A tune device that writes down every call it gets.
class RecordingDevice : public TuneDevice {
 public:
  bool Open(const std::string& path) override {
    return Note("Open " + path, opens ? Mode::kStopped : Mode::kClosed) != Mode::kClosed;
  }
  void Close() override { Note("Close", Mode::kClosed); }
  void Play() override { Note("Play", Mode::kPlaying); }
  void Stop() override { Note("Stop", Mode::kStopped); }
  void SeekToStart() override { Note("SeekToStart", Mode::kStopped); }
  Mode GetMode() override { return Note("GetMode", mode); }

  bool opens = true;
  Mode mode = Mode::kClosed;
  Calls calls;

 private:
  Mode Note(std::string call, Mode then) {
    calls.push_back(std::move(call));
    return mode = then;
  }
};

class MciCommandsTest : public ::testing::Test {
 protected:
  int Send(std::string_view command) { return mci.SendString(command, nullptr, 0); }
  void OpenTune() {
    Send("close MIDI");
    ASSERT_EQ(Send("open \"/games/velune/dat/bgm.mid\" alias MIDI"), MciInterpreter::kOk);
    device.calls.clear();
  }

  RecordingDevice device;
  MciInterpreter mci{device};
  std::array<char, 16> reply;
};

const std::string kBlanks(16, ' ');
std::string Reply(const std::string& text) { return text + '\0' + kBlanks.substr(text.size() + 1); }

// Each on a freshly opened tune with the device in a mode: the device calls that it makes,
// and the reply as the game's tune poll reads it (16 blanks passed with the length 15).
TEST_F(MciCommandsTest, CommandsItTakes) {
  using enum TuneDevice::Mode;
  const struct {
    std::string command;
    TuneDevice::Mode mode;
    Calls calls;
    std::string reply;
  } taken[] = {
      {"play MIDI notify", kStopped, {"Play"}, kBlanks},
      {"Play midi Notify", kStopped, {"Play"}, kBlanks},
      {"stop MIDI notify", kPlaying, {"Stop"}, kBlanks},
      {"stop MIDI", kPlaying, {"Stop"}, kBlanks},
      {"  seek\tMIDI  TO   Start  ", kStopped, {"SeekToStart"}, kBlanks},
      {"play MIDI from 0", kStopped, {"SeekToStart", "Play"}, kBlanks},
      {"status MIDI mode", kPlaying, {"GetMode"}, Reply("playing")},
      {"STATUS MIDI MODE", kStopped, {"GetMode"}, Reply("stopped")},
      {"status MIDI mode", kClosed, {"GetMode"}, Reply("not ready")},  // the tune is lost
      {"close MIDI notify", kPlaying, {"Close"}, kBlanks},
      {"close MIDI", kStopped, {"Close"}, kBlanks},
  };
  for (const auto& [command, mode, calls, text] : taken) {
    OpenTune();
    device.mode = mode;
    reply.fill(' ');
    EXPECT_EQ(mci.SendString(command, reply.data(), 15), MciInterpreter::kOk) << command;
    EXPECT_EQ(device.calls, calls) << command;
    EXPECT_EQ(std::string(reply.data(), 16), text) << command;
  }
  EXPECT_EQ(mci.Mode(), kClosed);
  // The path goes to the device as it is, and ends at the last double quote before the
  // word alias.
  for (const std::string path :
       {"C:\\Program Files\\Velune \x83\x51\x81\x5B\x83\x80\\BGM.mid",
        "/home/a/\"Velune\"/dat/bgm.mid", "/x/\" alias MIDI\" \"/b", "\""}) {
    Send("close MIDI");
    device.calls.clear();
    EXPECT_EQ(Send("OPEN \"" + path + "\"  ALIAS Midi"), MciInterpreter::kOk) << path;
    EXPECT_EQ(device.calls, Calls{"Open " + path});
  }
}

TEST_F(MciCommandsTest, TheReplyNeverOverrunsItsLength) {
  OpenTune();
  std::array<char, 8> small;
  for (int length = 1; length <= 5; ++length) {
    small.fill('#');
    EXPECT_EQ(mci.SendString("status MIDI mode", small.data(), length), MciInterpreter::kOk);
    EXPECT_EQ(std::string(small.data()), std::string("stopped").substr(0, length - 1));
    EXPECT_EQ(small[length], '#') << length;
  }
}

// Before any open, and after an open that failed, nothing answers: the blanks never read
// stopped, so the game never restarts a tune that is not there.
TEST_F(MciCommandsTest, NothingIsOpenSoNothingAnswers) {
  device.opens = false;
  for (const bool tried : {false, true}) {
    SCOPED_TRACE(tried ? "after a failed open" : "before any open");
    if (tried) {
      EXPECT_EQ(Send("open \"/x/missing.mid\" alias MIDI"), MciInterpreter::kCannotOpen);
    }
    for (const char* command :
         {"status MIDI mode", "play MIDI notify", "seek MIDI to start", "close MIDI notify"}) {
      reply.fill(' ');
      EXPECT_NE(mci.SendString(command, reply.data(), 15), MciInterpreter::kOk) << command;
      EXPECT_EQ(std::string(reply.data(), 16), kBlanks) << command;
    }
  }
  EXPECT_EQ(device.calls, Calls{"Open /x/missing.mid"});
  device.opens = true;
  EXPECT_EQ(Send("open \"/x/bgm.mid\" alias MIDI"), MciInterpreter::kOk);
}

// Near misses of the game's commands, and a second open under any alias: refused, no call
// reaches the device, the reply keeps its blanks. (The fuzz target mci tries the rest.)
TEST_F(MciCommandsTest, WhatTheGameNeverSendsIsRefusedAndChangesNothing) {
  OpenTune();
  Send("play MIDI notify");
  device.calls.clear();
  const std::string refused[] = {"",
                                 "pause MIDI",
                                 "\"play\" MIDI",
                                 "play",
                                 "play BGM",
                                 "play \"MIDI\"",
                                 "play MIDI from 5",
                                 "play MIDI from 0 notify",
                                 "seek MIDI",
                                 "seek MIDI to end",
                                 "status MIDI",
                                 "status MIDI length",
                                 "play MI\"DI",
                                 "open /x/bgm.mid alias MIDI",
                                 "open \"/x/bgm.mid alias MIDI",
                                 "open \"/x/bgm.mid\"",
                                 "open \"/x/a.mid\" as MIDI",
                                 "open \"/x/other.mid\" alias MIDI",
                                 "open \"/x/other.mid\" alias BGM",
                                 std::string("play MIDI\0 notify", 17),
                                 "play MIDI\r\n"};
  for (const std::string& command : refused) {
    reply.fill(' ');
    EXPECT_NE(mci.SendString(command, reply.data(), 15), MciInterpreter::kOk) << command;
    EXPECT_EQ(std::string(reply.data(), 16), kBlanks) << command;
  }
  EXPECT_TRUE(device.calls.empty());
  EXPECT_EQ(device.mode, TuneDevice::Mode::kPlaying);
  // Another alias works after a close, but only under its own name.
  Send("close MIDI");
  EXPECT_EQ(Send("open \"/x/bgm.mid\" alias BGM"), MciInterpreter::kOk);
  EXPECT_NE(Send("play MIDI"), MciInterpreter::kOk);
  EXPECT_EQ(Send("play bgm"), MciInterpreter::kOk);
}

}  // namespace
}  // namespace velune
