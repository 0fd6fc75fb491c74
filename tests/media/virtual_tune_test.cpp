#include "media/virtual_tune_device.h"

#include <gtest/gtest.h>

#include "common/story_folder.h"
#include "media/mci_interpreter.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using Mode = TuneDevice::Mode;

// Through the game's MCI commands, from a folder whose name holds double quotes (Linux and
// macOS allow them): a RIFF MIDI file with a chunk of another type before its track plays
// for the tune's length, then stops; a missing or broken tune never opens.
TEST(VirtualTuneDevice, PlaysForTheTunesLengthThenStops) {
  using namespace testing;
  const ScratchFolder folder;
  std::int64_t now = 0;
  VirtualTuneDevice device{[&now] { return now; }};
  MciInterpreter mci{device};
  const auto open = [&](const std::string& relative, const std::string& bytes) {
    return mci.SendString("open \"" + folder.Bytes(relative, bytes) + "\" alias MIDI", nullptr, 0);
  };
  EXPECT_NE(open("bad.mid", "MThd garbage"), 0);
  EXPECT_EQ(mci.Mode(), Mode::kClosed);
  const std::string tune = TuneOfMs(2500);
  EXPECT_EQ(open("a \"b\"/bgm.mid",
                 Rmid(RiffChunk("data", tune.substr(0, 14) + Chunk("XFIH", "") + tune.substr(14)))),
            0);
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Play();
  now = 2499;
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
  EXPECT_EQ(device.PlaysUntil(), 2500);
  now = 2500;
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.SeekToStart();
  device.Play();
  now = 3000;
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);
  device.Stop();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Close();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
  EXPECT_TRUE(device.Open(folder.Bytes("empty.mid", TuneOfMs(0))));
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);  // a tune of no length is stopped at once
}

}  // namespace
}  // namespace velune
