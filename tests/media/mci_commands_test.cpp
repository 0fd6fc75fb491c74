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

// The reply as the game's tune poll reads it: 16 blanks passed with the length 15.
class MciCommandsTest : public ::testing::Test {
 protected:
  int Send(std::string_view command) {
    reply.fill(' ');
    return mci.SendString(command, reply.data(), 15);
  }
  std::string Reply() const { return std::string(reply.data(), 16); }
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
std::string Answer(const std::string& text) {
  return text + '\0' + kBlanks.substr(text.size() + 1);
}

// Each on a freshly opened tune with the device in a mode: the calls it makes, the reply.
TEST_F(MciCommandsTest, CommandsItTakes) {
  using enum TuneDevice::Mode;
  const struct {
    std::string command;
    TuneDevice::Mode mode;
    Calls calls;
    std::string reply;
  } taken[] = {
      {"Play midi Notify", kStopped, {"Play"}, kBlanks},
      {"play MIDI", kStopped, {"Play"}, kBlanks},
      {"stop MIDI notify", kPlaying, {"Stop"}, kBlanks},
      {"  seek\tMIDI  TO   Start  ", kStopped, {"SeekToStart"}, kBlanks},
      {"play MIDI from 0", kStopped, {"SeekToStart", "Play"}, kBlanks},
      {"status MIDI mode", kPlaying, {"GetMode"}, Answer("playing")},
      {"STATUS MIDI MODE", kStopped, {"GetMode"}, Answer("stopped")},
      {"status MIDI mode", kClosed, {"GetMode"}, Answer("not ready")},  // the tune is lost
      {"close MIDI notify", kPlaying, {"Close"}, kBlanks},
      {"close MIDI", kStopped, {"Close"}, kBlanks},
  };
  for (const auto& [command, mode, calls, text] : taken) {
    OpenTune();
    device.mode = mode;
    EXPECT_EQ(Send(command), MciInterpreter::kOk) << command;
    EXPECT_EQ(device.calls, calls) << command;
    EXPECT_EQ(Reply(), text) << command;
  }
  EXPECT_EQ(mci.Mode(), kClosed);
  // The path goes to the device as it is, up to the last double quote before the word alias.
  for (const std::string path :
       {"C:\\Program Files\\Velune \x83\x51\x81\x5B\x83\x80\\BGM.mid",
        "/home/a/\"Velune\"/dat/bgm.mid", "/x/\" alias MIDI\" \"/b", "\""}) {
    Send("close MIDI");
    device.calls.clear();
    EXPECT_EQ(Send("OPEN \"" + path + "\"  ALIAS Midi"), MciInterpreter::kOk) << path;
    EXPECT_EQ(device.calls, Calls{"Open " + path});
  }
  // A short reply is cut to its length, the NUL included.
  OpenTune();
  EXPECT_EQ(mci.SendString("status MIDI mode", reply.data(), 5), MciInterpreter::kOk);
  EXPECT_EQ(Reply(), std::string("stop\0", 5) + kBlanks.substr(5));
}

// The game's commands before any open and after an open that failed, near misses of them,
// and a second open: refused, nothing reaches the device, the reply keeps its blanks (it
// never reads stopped, so the game never restarts a tune that is not there).
TEST_F(MciCommandsTest, WhatTheGameNeverSendsIsRefusedAndChangesNothing) {
  device.opens = false;
  for (const bool tried : {false, true}) {
    if (tried) {
      EXPECT_EQ(Send("open \"/x/missing.mid\" alias MIDI"), MciInterpreter::kCannotOpen);
    }
    for (const char* command :
         {"status MIDI mode", "play MIDI notify", "seek MIDI to start", "close MIDI notify"}) {
      EXPECT_NE(Send(command), MciInterpreter::kOk) << command;
      EXPECT_EQ(Reply(), kBlanks) << command;
    }
  }
  EXPECT_EQ(device.calls, Calls{"Open /x/missing.mid"});
  device.opens = true;
  OpenTune();
  Send("play MIDI notify");
  device.calls.clear();
  // clang-format off
  const std::string refused[] = {"", "pause MIDI", "\"play\" MIDI", "play", "play BGM",
      "play \"MIDI\"", "play MIDI from 5", "play MIDI from 0 notify", "seek MIDI",
      "seek MIDI to end", "status MIDI", "status MIDI length", "play MI\"DI",
      "open /x/bgm.mid alias MIDI", "open \"/x/bgm.mid alias MIDI", "open \"/x/bgm.mid\"",
      "open \"/x/a.mid\" as MIDI", "open \"/x/other.mid\" alias MIDI",
      "open \"/x/other.mid\" alias BGM", {"play MIDI\0 notify", 17}, "play MIDI\r\n"};
  // clang-format on
  for (const std::string& command : refused) {
    EXPECT_NE(Send(command), MciInterpreter::kOk) << command;
    EXPECT_EQ(Reply(), kBlanks) << command;
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
