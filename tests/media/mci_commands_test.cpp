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
  // What the game's tune poll reads: 16 blanks passed with the length 15.
  std::string Status(int* error = nullptr) {
    reply.fill(' ');
    const int result = mci.SendString("status MIDI mode", reply.data(), 15);
    if (error != nullptr) *error = result;
    return std::string(reply.data(), 16);
  }
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

TEST_F(MciCommandsTest, TheGamesCommandsInTheOrderItSendsThem) {
  EXPECT_NE(Send("close MIDI notify"), MciInterpreter::kOk);  // nothing open yet
  EXPECT_EQ(Send("open \"/games/velune/dat/bgm.mid\" alias MIDI"), MciInterpreter::kOk);
  EXPECT_EQ(Send("play MIDI notify"), MciInterpreter::kOk);
  EXPECT_EQ(Status().substr(0, 8), std::string("playing\0", 8));
  device.mode = TuneDevice::Mode::kStopped;  // the tune ends: the poll restarts it
  EXPECT_EQ(Status(), std::string("stopped\0", 8) + std::string(8, ' '));
  EXPECT_EQ(Send("seek MIDI to start"), MciInterpreter::kOk);
  EXPECT_EQ(Send("play MIDI from 0"), MciInterpreter::kOk);
  EXPECT_EQ(Send("stop MIDI notify"), MciInterpreter::kOk);
  EXPECT_EQ(Send("close MIDI notify"), MciInterpreter::kOk);
  EXPECT_EQ(device.calls, (Calls{"Open /games/velune/dat/bgm.mid", "Play", "GetMode", "GetMode",
                                 "SeekToStart", "SeekToStart", "Play", "Stop", "Close"}));
  EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kClosed);
  OpenTune();
  device.mode = TuneDevice::Mode::kClosed;  // a device that lost its tune is not ready
  EXPECT_EQ(Status().substr(0, 10), std::string("not ready\0", 10));
}

// Each on a freshly opened tune, with the device calls that it makes. The path goes to
// the device as it is, and ends at the last double quote before the word alias.
TEST_F(MciCommandsTest, CommandsItTakes) {
  const std::pair<std::string, Calls> taken[] = {
      {"play MIDI", {"Play"}},
      {"Play midi Notify", {"Play"}},
      {"stop MIDI", {"Stop"}},
      {"stop MIDI notify", {"Stop"}},
      {"  seek\tMIDI  TO   Start  ", {"SeekToStart"}},
      {"play MIDI FROM 0", {"SeekToStart", "Play"}},
      {"STATUS MIDI MODE", {"GetMode"}},
      {"close MIDI", {"Close"}},
  };
  for (const auto& [command, calls] : taken) {
    OpenTune();
    EXPECT_EQ(Send(command), MciInterpreter::kOk) << command;
    EXPECT_EQ(device.calls, calls) << command;
  }
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
    int error = 0;
    EXPECT_EQ(Status(&error), kBlanks);
    EXPECT_NE(error, MciInterpreter::kOk);
    for (const char* command : {"play MIDI notify", "seek MIDI to start", "close MIDI notify"}) {
      EXPECT_NE(Send(command), MciInterpreter::kOk) << command;
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
