#include "media/mci_interpreter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace velune {
namespace {

using enum TuneDevice::Mode;

// A tune device that writes down the calls it gets; it opens all but missing.mid.
struct RecordingDevice : TuneDevice {
  bool Open(const std::string& path) override {
    return Heard("Open " + path, path.ends_with("missing.mid") ? kClosed : kStopped) != kClosed;
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

class MciCommandsTest : public ::testing::Test {
 protected:
  // What the device heard and the reply, read as the game's tune poll reads it (16 bytes
  // passed with the length 15); "refused" and nothing more when the command is refused.
  std::string Say(std::string_view command, int length = 15) {
    device.calls.clear();
    reply.fill('#');
    const int result = mci.SendString(command, reply.data(), length);
    const auto end = std::find(reply.begin(), reply.end(), '\0');
    EXPECT_EQ(std::count(reply.begin(), reply.end(), '#'),
              end == reply.end() ? 16 : reply.end() - end - 1);  // nothing written past the NUL
    const std::string heard =
        device.calls + (end == reply.end() ? "" : "→" + std::string(reply.begin(), end));
    return result == MciInterpreter::kOk ? heard : "refused" + heard;
  }
  RecordingDevice device;
  MciInterpreter mci{device};
  std::array<char, 16> reply;
};

// The game's commands in order, and near misses of them. Nothing answers before a tune
// opens, so the reply never reads stopped and the game never restarts a tune that is not there.
TEST_F(MciCommandsTest, AnswersTheGamesCommandsAndRefusesAllElse) {
  const std::pair<std::string, std::string> transcript[] = {
      {"status MIDI mode", "refused"},
      {"open \"/x/missing.mid\" alias MIDI", "refusedOpen /x/missing.mid"},
      {"play MIDI notify", "refused"},
      {"OPEN \"/x/bgm.mid\"  ALIAS Midi", "Open /x/bgm.mid"},
      {"status MIDI mode", "Mode→stopped"},
      {"Play midi Notify", "Play"},
      {"STATUS MIDI MODE", "Mode→playing"},
      {"stop MIDI notify", "Stop"},
      {"  seek\tMIDI  TO   Start  ", "Seek"},
      {"play MIDI from 0", "Seek,Play"},
      {"close MIDI notify", "Close"},
      {"open \"/x/bgm.mid\" alias BGM", "Open /x/bgm.mid"},
      {"play MIDI", "refused"},
      {"play bgm", "Play"},
  };
  for (const auto& [command, heard] : transcript) EXPECT_EQ(Say(command), heard) << command;
  // clang-format off
  const std::string refused[] = {"", "pause BGM", "\"play\" BGM", "play", "play \"BGM\"",
      "play BGM from 5", "play BGM from 0 notify", "seek BGM", "seek BGM to end", "status BGM",
      "status BGM length", "play B\"GM", "open /x/bgm.mid alias BGM", "open \"/x/bgm.mid alias X",
      "open \"/x/bgm.mid\"", "open \"/x/a.mid\" as X", "open \"/x/a.mid\" alias X",
      {"play BGM\0 notify", 16}, "play BGM\r\n"};
  // clang-format on
  for (const std::string& command : refused) EXPECT_EQ(Say(command), "refused") << command;
  EXPECT_EQ(device.mode, kPlaying);
  EXPECT_EQ(Say("status BGM mode", 5), "Mode→play");  // cut to the length, the NUL included
  device.mode = kClosed;                              // the tune is lost
  EXPECT_EQ(Say("status BGM mode"), "Mode→not ready");
  EXPECT_EQ(Say("close BGM"), "Close");
  EXPECT_EQ(mci.Mode(), kClosed);
  // The path goes to the device as it is, up to the last double quote before the word alias.
  for (const std::string path :
       {"C:\\Program Files\\Velune \x83\x51\x81\x5B\x83\x80\\BGM.mid",
        "/home/a/\"Velune\"/dat/bgm.mid", "/x/\" alias MIDI\" \"/b", "\""}) {
    EXPECT_EQ(Say("open \"" + path + "\" alias MIDI"), "Open " + path);
    Say("close MIDI");
  }
}

}  // namespace
}  // namespace velune
