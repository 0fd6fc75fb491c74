#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "media/mci_interpreter.h"

namespace velune {
namespace {

// A tune device that writes down every call it gets.
class RecordingDevice : public TuneDevice {
 public:
  bool Open(const std::string& path) override {
    Note("Open " + path, opens ? Mode::kStopped : Mode::kClosed);
    return opens;
  }
  void Close() override { Note("Close", Mode::kClosed); }
  void Play() override { Note("Play", Mode::kPlaying); }
  void Stop() override { Note("Stop", Mode::kStopped); }
  void SeekToStart() override { Note("SeekToStart", Mode::kStopped); }
  Mode GetMode() override { return Note("GetMode", mode); }

  bool opens = true;
  Mode mode = Mode::kClosed;
  std::vector<std::string> calls;

 private:
  Mode Note(std::string call, Mode then) {
    calls.push_back(std::move(call));
    return mode = then;
  }
};

using Calls = std::vector<std::string>;

// The reply buffer as the game makes it: 16 blanks, passed with the length 15.
struct Reply {
  std::array<char, 16> buffer;
  Reply() { buffer.fill(' '); }
  std::string First7() const { return std::string(buffer.data(), 7); }
  std::string Text() const { return std::string(buffer.data()); }  // up to the NUL
  bool Untouched() const {
    return std::all_of(buffer.begin(), buffer.end(), [](char c) { return c == ' '; });
  }
};

class MciCommandsTest : public ::testing::Test {
 protected:
  int Send(std::string_view command) { return mci.SendString(command, nullptr, 0); }
  int Status(Reply& reply) { return mci.SendString("status MIDI mode", reply.buffer.data(), 15); }
  void OpenTune() {
    ASSERT_EQ(Send("open \"/games/velune/dat/bgm.mid\" alias MIDI"), MciInterpreter::kOk);
    device.calls.clear();
  }

  RecordingDevice device;
  MciInterpreter mci{device};
};

TEST_F(MciCommandsTest, TheGamesCommandsInTheOrderItSendsThem) {
  // BgmOpen: the close finds nothing open and fails harmlessly; the open names the path.
  EXPECT_EQ(Send("close MIDI notify"), MciInterpreter::kInvalidDeviceName);
  EXPECT_EQ(Send("open \"/games/velune/dat/bgm.mid\" alias MIDI"), MciInterpreter::kOk);
  EXPECT_EQ(device.calls, Calls{"Open /games/velune/dat/bgm.mid"});
  // BgmPlay, then the polls while the tune plays.
  EXPECT_EQ(Send("play MIDI notify"), MciInterpreter::kOk);
  Reply playing;
  EXPECT_EQ(Status(playing), MciInterpreter::kOk);
  EXPECT_EQ(playing.Text(), "playing");
  // The tune ends: the poll reads stopped and restarts it.
  device.mode = TuneDevice::Mode::kStopped;
  Reply stopped;
  EXPECT_EQ(Status(stopped), MciInterpreter::kOk);
  EXPECT_EQ(stopped.First7(), "stopped");
  EXPECT_EQ(Send("seek MIDI to start"), MciInterpreter::kOk);
  EXPECT_EQ(Send("play MIDI from 0"), MciInterpreter::kOk);
  // Form_Unload: BgmStop and BgmClose.
  EXPECT_EQ(Send("stop MIDI notify"), MciInterpreter::kOk);
  EXPECT_EQ(Send("close MIDI notify"), MciInterpreter::kOk);
  EXPECT_EQ(device.calls, (Calls{"Open /games/velune/dat/bgm.mid", "Play", "GetMode", "GetMode",
                                 "SeekToStart", "SeekToStart", "Play", "Stop", "Close"}));
  EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kClosed);
}

// Each on a freshly opened tune, with the device calls that it makes: with or without
// notify, its words in any case, with blanks that repeat.
TEST_F(MciCommandsTest, CommandsItTakes) {
  const std::pair<const char*, Calls> taken[] = {
      {"play MIDI", {"Play"}},
      {"play MIDI notify", {"Play"}},
      {"Play midi Notify", {"Play"}},
      {"stop MIDI", {"Stop"}},
      {"stop MIDI notify", {"Stop"}},
      {"  seek\tMIDI  TO   Start  ", {"SeekToStart"}},
      {"play MIDI FROM 0", {"SeekToStart", "Play"}},
      {"STATUS MIDI MODE", {"GetMode"}},
      {"close MIDI", {"Close"}},
      {"close MIDI notify", {"Close"}},
  };
  for (const auto& [command, calls] : taken) {
    Send("close MIDI");
    OpenTune();
    EXPECT_EQ(Send(command), MciInterpreter::kOk) << command;
    EXPECT_EQ(device.calls, calls) << command;
  }
  OpenTune();
  Reply reply;
  EXPECT_EQ(mci.SendString("STATUS MIDI MODE", reply.buffer.data(), 15), MciInterpreter::kOk);
  EXPECT_EQ(reply.Text(), "stopped");
  // The path goes to the device as it is: blanks, a Windows folder, upper case and
  // Shift-JIS bytes; and double quotes, which a folder name can hold on Linux and macOS:
  // the path ends at the last quote before the word alias.
  for (const std::string path : {
           "C:\\Program Files\\Velune \x83\x51\x81\x5B\x83\x80\\dat\\BGM.mid",
           "/home/a/\"Velune\"/dat/bgm.mid",
           "/x/\" alias MIDI\" \"/bgm.mid",
           "\"",
       }) {
    Send("close MIDI");
    device.calls.clear();
    EXPECT_EQ(Send("OPEN \"" + path + "\"  ALIAS Midi"), MciInterpreter::kOk) << path;
    EXPECT_EQ(device.calls, Calls{"Open " + path});
  }
}

TEST_F(MciCommandsTest, TheStatusReply) {
  OpenTune();
  // Stopped before the first play; the rest of the buffer keeps its blanks.
  Reply reply;
  EXPECT_EQ(Status(reply), MciInterpreter::kOk);
  EXPECT_EQ(std::string(reply.buffer.data(), 8), std::string("stopped\0", 8));
  EXPECT_EQ(std::string(reply.buffer.data() + 8, 8), std::string(8, ' '));
  Send("play MIDI notify");
  Reply playing;
  Status(playing);
  EXPECT_EQ(playing.Text(), "playing");
  // A device that lost its tune is not ready.
  device.mode = TuneDevice::Mode::kClosed;
  Reply lost;
  Status(lost);
  EXPECT_EQ(lost.Text(), "not ready");
}

TEST_F(MciCommandsTest, TheReplyNeverOverrunsItsLength) {
  OpenTune();
  std::array<char, 8> small;
  for (int length = 1; length <= 5; ++length) {
    small.fill('#');
    EXPECT_EQ(mci.SendString("status MIDI mode", small.data(), length), MciInterpreter::kOk);
    EXPECT_EQ(std::string(small.data()), std::string("stopped").substr(0, length - 1));
    EXPECT_EQ(small[length], '#') << length;  // nothing written beyond the length
  }
  // No buffer, or no room: the query works and writes nothing.
  EXPECT_EQ(mci.SendString("status MIDI mode", nullptr, 15), MciInterpreter::kOk);
  small.fill('#');
  EXPECT_EQ(mci.SendString("status MIDI mode", small.data(), 0), MciInterpreter::kOk);
  EXPECT_EQ(mci.SendString("status MIDI mode", small.data(), -3), MciInterpreter::kOk);
  EXPECT_EQ(small[0], '#');
}

// Before any open, and after an open that failed, nothing answers: the blanks never
// read stopped, so the game never restarts a tune that is not there.
TEST_F(MciCommandsTest, NothingIsOpenSoNothingAnswers) {
  device.opens = false;
  for (const bool tried : {false, true}) {
    SCOPED_TRACE(tried ? "after a failed open" : "before any open");
    if (tried) {
      EXPECT_EQ(Send("open \"/x/missing.mid\" alias MIDI"), MciInterpreter::kCannotOpen);
    }
    Reply reply;
    EXPECT_EQ(Status(reply), MciInterpreter::kInvalidDeviceName);
    EXPECT_TRUE(reply.Untouched());
    for (const char* command : {"play MIDI notify", "stop MIDI notify", "seek MIDI to start",
                                "play MIDI from 0", "close MIDI notify"}) {
      EXPECT_EQ(Send(command), MciInterpreter::kInvalidDeviceName) << command;
    }
  }
  EXPECT_EQ(device.calls, Calls{"Open /x/missing.mid"});
  // The game's next open (after its close) works once the file is there.
  device.opens = true;
  EXPECT_EQ(Send("open \"/x/bgm.mid\" alias MIDI"), MciInterpreter::kOk);
}

// A second open needs a close first, under any alias; another alias works, but only
// under its own name.
TEST_F(MciCommandsTest, OneTuneUnderOneAlias) {
  OpenTune();
  EXPECT_EQ(Send("open \"/x/other.mid\" alias MIDI"), MciInterpreter::kDuplicateAlias);
  EXPECT_EQ(Send("open \"/x/other.mid\" alias BGM"), MciInterpreter::kDuplicateAlias);
  EXPECT_TRUE(device.calls.empty());
  EXPECT_EQ(Send("close MIDI notify"), MciInterpreter::kOk);
  EXPECT_EQ(Send("open \"/x/bgm.mid\" alias BGM"), MciInterpreter::kOk);
  EXPECT_EQ(Send("play MIDI"), MciInterpreter::kInvalidDeviceName);
  EXPECT_EQ(Send("play bgm"), MciInterpreter::kOk);
}

TEST_F(MciCommandsTest, CommandsTheGameNeverSendsAreRefusedAndChangeNothing) {
  OpenTune();
  Send("play MIDI notify");
  device.calls.clear();
  const struct {
    const char* command;
    int error;
  } refused[] = {
      // Unknown verbs, and verbs of MCI that the game does not use.
      {"", MciInterpreter::kUnrecognizedCommand},
      {"   \t ", MciInterpreter::kUnrecognizedCommand},
      {"pause MIDI", MciInterpreter::kUnrecognizedCommand},
      {"resume MIDI", MciInterpreter::kUnrecognizedCommand},
      {"set MIDI time format milliseconds", MciInterpreter::kUnrecognizedCommand},
      {"sysinfo all quantity", MciInterpreter::kUnrecognizedCommand},
      {"\"play\" MIDI", MciInterpreter::kUnrecognizedCommand},
      {"playMIDI", MciInterpreter::kUnrecognizedCommand},
      // A missing or wrong alias.
      {"play", MciInterpreter::kMissingParameter},
      {"status", MciInterpreter::kMissingParameter},
      {"play BGM", MciInterpreter::kInvalidDeviceName},
      {"stop MIDI2", MciInterpreter::kInvalidDeviceName},
      {"play \"MIDI\"", MciInterpreter::kInvalidDeviceName},
      {"close all", MciInterpreter::kInvalidDeviceName},
      // Words that the command does not take, or missing words.
      {"play MIDI from 5", MciInterpreter::kUnrecognizedKeyword},
      {"play MIDI from", MciInterpreter::kUnrecognizedKeyword},
      {"play MIDI from 0 notify", MciInterpreter::kUnrecognizedKeyword},
      {"play MIDI to 0", MciInterpreter::kUnrecognizedKeyword},
      {"play MIDI notify notify", MciInterpreter::kUnrecognizedKeyword},
      {"play MIDI wait", MciInterpreter::kUnrecognizedKeyword},
      {"stop MIDI now", MciInterpreter::kUnrecognizedKeyword},
      {"close MIDI notify please", MciInterpreter::kUnrecognizedKeyword},
      {"seek MIDI", MciInterpreter::kMissingParameter},
      {"seek MIDI to", MciInterpreter::kUnrecognizedKeyword},
      {"seek MIDI to end", MciInterpreter::kUnrecognizedKeyword},
      {"seek MIDI to start notify", MciInterpreter::kUnrecognizedKeyword},
      {"status MIDI", MciInterpreter::kMissingParameter},
      {"status MIDI length", MciInterpreter::kUnrecognizedKeyword},
      {"status MIDI mode notify", MciInterpreter::kUnrecognizedKeyword},
      {"status MIDI \"mode\"", MciInterpreter::kUnrecognizedKeyword},
      // Quotes: missing, left open, or in the wrong place.
      {"open /x/bgm.mid alias MIDI", MciInterpreter::kMissingQuote},
      {"open \"/x/bgm.mid alias MIDI", MciInterpreter::kMissingQuote},
      {"open \"/x/bgm.mid\"alias MIDI", MciInterpreter::kMissingQuote},
      {"open /x/\"bgm.mid\" alias MIDI", MciInterpreter::kMissingQuote},
      {"play MI\"DI", MciInterpreter::kMissingQuote},
      {"play \"MIDI", MciInterpreter::kMissingQuote},
      // Opens of the wrong shape (the tune is open, but the shape is checked first).
      {"open", MciInterpreter::kMissingParameter},
      {"open \"/x/bgm.mid\"", MciInterpreter::kMissingParameter},
      {"open \"/x/bgm.mid\" alias", MciInterpreter::kMissingParameter},
      {"open \"/x/bgm.mid\" as MIDI", MciInterpreter::kUnrecognizedKeyword},
      {"open \"/x/bgm.mid\" alias MIDI notify", MciInterpreter::kUnrecognizedKeyword},
      {"open \"/x/bgm.mid\" type sequencer alias MIDI", MciInterpreter::kUnrecognizedKeyword},
      {"open \"/x/bgm.mid\" alias \"MIDI\"", MciInterpreter::kUnrecognizedKeyword},
  };
  for (const auto& [command, error] : refused) {
    Reply reply;
    EXPECT_EQ(mci.SendString(command, reply.buffer.data(), 15), error) << command;
    EXPECT_TRUE(reply.Untouched()) << command;
  }
  EXPECT_TRUE(device.calls.empty());
  EXPECT_EQ(device.mode, TuneDevice::Mode::kPlaying);
}

TEST_F(MciCommandsTest, GarbageBytesAreRefused) {
  OpenTune();
  device.calls.clear();
  const std::string with_nul("play MIDI\0 notify", 17);
  const std::string nul_in_path("open \"/x/bgm\0.mid\" alias MIDI", 29);
  for (const std::string& command :
       {with_nul, nul_in_path, std::string("\xFF\xFE\x00\x01", 4), std::string("play\rMIDI"),
        std::string("play MIDI\r\n"), std::string(1000, '"'), std::string(100000, 'x')}) {
    Reply reply;
    EXPECT_NE(mci.SendString(command, reply.buffer.data(), 15), MciInterpreter::kOk);
    EXPECT_TRUE(reply.Untouched());
  }
  EXPECT_TRUE(device.calls.empty());
}

// Random command texts made of the game's own words and of stray bytes: whatever comes,
// nothing crashes, a refused command reaches no device, and no reply overruns.
TEST_F(MciCommandsTest, NothingItReceivesCanHurtIt) {
  const std::vector<std::string> pieces = {
      "open", "close", "play", "stop", "seek",   "status", "MIDI",         "midi", "alias", "mode",
      "to",   "start", "from", "0",    "notify", "\"",     "\"/x/a.mid\"", " ",    "\t",    "\0",
      "\xFF", "\x81",  "\r\n", "wait", "",       "1"};
  std::mt19937 random(20240607);
  for (int round = 0; round < 20000; ++round) {
    std::string command;
    const int count = static_cast<int>(random() % 7);
    for (int i = 0; i < count; ++i) {
      const std::string& piece = pieces[random() % pieces.size()];
      command += piece == "\0" ? std::string(1, '\0') : piece;
      if (random() % 2 == 0) command += ' ';
    }
    const auto mode_before = mci.Mode();
    device.calls.clear();
    std::array<char, 17> reply;
    reply.fill('.');
    const int error = mci.SendString(command, reply.data(), 15);
    EXPECT_EQ(reply[15], '.') << command;
    EXPECT_EQ(reply[16], '.') << command;
    if (error != MciInterpreter::kOk) {
      EXPECT_TRUE(device.calls.empty()) << command;
      EXPECT_EQ(mci.Mode(), mode_before) << command;
      EXPECT_EQ(reply[0], '.') << command;
    }
  }
}

}  // namespace
}  // namespace velune
