#include <gtest/gtest.h>

#include "media/null_tune_device.h"
#include "media/virtual_tune_device.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using enum TuneDevice::Mode;

// The same calls to both devices on one clock: the virtual device plays for the tune's
// length; the null device, which hears nothing end, plays on until stopped. A tune of no
// length is over at once on both.
TEST(TuneDevices, OpenWhatIsATuneAndPlayForItsLengthOrOnAndOn) {
  const testing::ScratchFolder folder;
  const std::string bgm = folder.Bytes("bgm.mid", testing::TuneOfMs(2500));
  std::int64_t now = 0;
  VirtualTuneDevice virtual_device{[&now] { return now; }};
  NullTuneDevice null_device;
  for (TuneDevice* device : std::initializer_list<TuneDevice*>{&null_device, &virtual_device}) {
    const bool timed = device == &virtual_device;
    now = 0;
    EXPECT_FALSE(device->Open(folder.At("none.mid").string()));
    EXPECT_FALSE(device->Open(folder.Bytes("bad.mid", "MThd garbage")));
    device->Play();
    EXPECT_EQ(device->GetMode(), kClosed);
    ASSERT_TRUE(device->Open(bgm));
    EXPECT_EQ(device->GetMode(), kStopped);
    device->Play();
    now = 2499;
    EXPECT_EQ(device->GetMode(), kPlaying);
    EXPECT_EQ(virtual_device.PlaysUntil(),
              timed ? std::optional<std::int64_t>(2500) : std::nullopt);
    now = 2500;
    EXPECT_EQ(device->GetMode(), timed ? kStopped : kPlaying) << timed;
    device->SeekToStart();
    EXPECT_EQ(device->GetMode(), kStopped);
    device->Play();
    now = 3000;
    EXPECT_EQ(device->GetMode(), kPlaying);
    device->Stop();
    EXPECT_EQ(device->GetMode(), kStopped);
    device->Close();
    EXPECT_EQ(device->GetMode(), kClosed);
    ASSERT_TRUE(device->Open(folder.Bytes("empty.mid", testing::TuneOfMs(0))));
    device->Play();
    EXPECT_EQ(device->GetMode(), kStopped) << timed;
  }
}

}  // namespace
}  // namespace velune
