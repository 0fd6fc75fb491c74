#include "media/null_tune_device.h"

#include <gtest/gtest.h>

#include "common/story_folder.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using Mode = TuneDevice::Mode;

TEST(NullTuneDevice, OpensWhatIsATuneAndPlaysOnUntilStopped) {
  const testing::ScratchFolder folder;
  NullTuneDevice device;
  EXPECT_FALSE(device.Open(folder.At("none.mid").string()));
  EXPECT_FALSE(device.Open(folder.Bytes("bad.mid", "MThd")));
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kClosed);
  ASSERT_TRUE(device.Open(folder.Bytes("bgm.mid", testing::TuneOfMs(10))));
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
  ASSERT_TRUE(device.Open(folder.Bytes("empty.mid", testing::TuneOfMs(0))));
  device.Play();
  EXPECT_EQ(device.GetMode(), Mode::kStopped);  // a tune of no length is over at once
}

}  // namespace
}  // namespace velune
