#include <gtest/gtest.h>

#include "media/mci_interpreter.h"
#include "media/virtual_tune_device.h"
#include "midi_bytes.h"
#include "test_files.h"

namespace velune {
namespace {

using testing::TuneStatus;

class VirtualTuneTest : public ::testing::Test {
 protected:
  int Open(const std::string& path) {
    return mci.SendString("open \"" + path + "\" alias MIDI", nullptr, 0);
  }
  int Send(const char* command) { return mci.SendString(command, nullptr, 0); }

  testing::ScratchFolder folder{"velune-tune"};
  std::int64_t now = 0;
  VirtualTuneDevice device{[this] { return now; }};
  MciInterpreter mci{device};
};

TEST_F(VirtualTuneTest, PlaysForTheTunesLengthThenStops) {
  EXPECT_EQ(Open(folder.Write("bgm.mid", testing::TuneOfMs(2500))), 0);
  EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kStopped);
  Send("play MIDI notify");
  now = 2499;
  EXPECT_EQ(TuneStatus(mci), "playing");
  now = 2500;
  EXPECT_EQ(TuneStatus(mci), "stopped");
  Send("seek MIDI to start");
  Send("play MIDI from 0");
  now = 3000;
  EXPECT_EQ(TuneStatus(mci), "playing");
  Send("stop MIDI notify");
  EXPECT_EQ(TuneStatus(mci), "stopped");
  Send("close MIDI notify");
  EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kClosed);
  // A tune of no length is stopped at once.
  EXPECT_EQ(Open(folder.Write("empty.mid", testing::TuneOfMs(0))), 0);
  Send("play MIDI notify");
  EXPECT_EQ(TuneStatus(mci), "stopped");
}

// As the game opens it: from a folder whose name holds double quotes (Linux and macOS
// allow them), a RIFF MIDI file with a chunk of another type before its track.
TEST_F(VirtualTuneTest, ARiffMidiFileInAQuotedFolderPlaysForItsLength) {
  using namespace testing;
  const ScratchFolder quoted{"velune \"tune\""};
  const std::string tune = TuneOfMs(1500);
  const std::string riff =
      Rmid(RiffChunk("data", tune.substr(0, 14) + Chunk("XFIH", "abc") + tune.substr(14)));
  EXPECT_EQ(Open(quoted.Write("bgm.mid", riff)), 0);
  Send("play MIDI notify");
  now = 1499;
  EXPECT_EQ(TuneStatus(mci), "playing");
  now = 1500;
  EXPECT_EQ(TuneStatus(mci), "stopped");
}

TEST_F(VirtualTuneTest, AMissingOrBrokenTuneNeverOpens) {
  for (const std::string& path :
       {folder.PathOf("none.mid"), folder.Write("bad.mid", "MThd garbage")}) {
    EXPECT_NE(Open(path), 0);
    EXPECT_NE(Send("play MIDI notify"), 0);
    EXPECT_EQ(TuneStatus(mci), "       ");  // no reply: the blanks stay
    EXPECT_EQ(mci.Mode(), TuneDevice::Mode::kClosed);
  }
}

}  // namespace
}  // namespace velune
