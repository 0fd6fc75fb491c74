#include "media/null_tune_device.h"

#include <gtest/gtest.h>

#include "midi_bytes.h"
#include "test_files.h"

namespace velune {
namespace {

using Mode = TuneDevice::Mode;

TEST(NullTuneDevice, OpensWhatIsATuneAndPlaysOnUntilStopped) {
  testing::ScratchFolder folder("velune-null-tune");
  NullTuneDevice device;
  EXPECT_FALSE(device.Open(folder.PathOf("none.mid")));
  EXPECT_FALSE(device.Open(folder.Write("bad.mid", "MThd")));
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);

  ASSERT_TRUE(device.Open(folder.Write("bgm.mid", testing::TuneOfMs(10))));
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kPlaying);  // on and on: nothing is heard to end
  device.SeekToStart();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Play();
  device.Stop();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);
  device.Close();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);

  ASSERT_TRUE(
      device.Open(folder.Write("empty.mid", testing::Midi(0, 96, {testing::EndOfTrack(0)}))));
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);  // a tune of no length is over at once
}

}  // namespace
}  // namespace velune
