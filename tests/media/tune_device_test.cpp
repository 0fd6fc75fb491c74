#include <gtest/gtest.h>

#include "common/story_folder.h"
#include "media/null_tune_device.h"
#include "media/rendered_tune.h"
#include "media/virtual_tune_device.h"
#include "midi_bytes.h"

namespace velune {
namespace {

using Mode = TuneDevice::Mode;
using enum TuneDevice::Mode;

// The same calls to both devices on one clock: the virtual device plays for the tune's
// length; the null device, which hears nothing end, plays on until stopped. A tune of no
// length is over at once on both.
TEST(TuneDevices, OpenWhatIsATuneAndPlayForItsLengthOrOnAndOn) {
  using namespace testing;
  const ScratchFolder folder;
  const std::string tune = TuneOfMs(2500);
  const std::string bgm = folder.Bytes(
      "bgm.mid", Rmid(RiffChunk("data", tune.substr(0, 14) + Chunk("XFIH", "") + tune.substr(14))));
  std::int64_t now = 0;
  VirtualTuneDevice virtual_device{[&now] { return now; }};
  NullTuneDevice null_device;
  for (TuneDevice* device : std::initializer_list<TuneDevice*>{&virtual_device, &null_device}) {
    const bool timed = device == &virtual_device;
    SCOPED_TRACE(timed ? "virtual" : "null");
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
    if (timed) {
      EXPECT_EQ(virtual_device.PlaysUntil(), 2500);
    }
    now = 2500;
    EXPECT_EQ(device->GetMode(), timed ? kStopped : kPlaying);
    device->SeekToStart();
    EXPECT_EQ(device->GetMode(), kStopped);
    device->Play();
    now = 3000;
    EXPECT_EQ(device->GetMode(), kPlaying);
    device->Stop();
    EXPECT_EQ(device->GetMode(), kStopped);
    device->Close();
    EXPECT_EQ(device->GetMode(), kClosed);
    ASSERT_TRUE(device->Open(folder.Bytes("empty.mid", TuneOfMs(0))));
    device->Play();
    EXPECT_EQ(device->GetMode(), kStopped);
  }
}

// The next `count` frames, left channel, in steps of 1/32768; the right is its negative.
std::vector<int> Next(RenderedTune& tune, int count) {
  std::vector<float> left(count), right(count);
  tune.Fill(left.data(), right.data(), count);
  std::vector<int> steps;
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(left[i], -right[i]);
    steps.push_back(static_cast<int>(left[i] * 32768));
  }
  return steps;
}
using Steps = std::vector<int>;

// Six frames of tune and four of echo; frame i sounds i. The echo of the end rings on under
// the next round; a rewind before the end cuts off what comes.
TEST(RenderedTune, PlaysStopsAndEndsWhereTheTuneDoesAndItsEchoRingsOn) {
  std::vector<std::int16_t> frames;
  for (std::int16_t i = 1; i <= 10; ++i) frames.insert(frames.end(), {i, std::int16_t(-i)});
  RenderedTune tune(std::move(frames), 6);
  EXPECT_EQ(Next(tune, 2), (Steps{0, 0}));
  tune.Play();
  EXPECT_EQ(Next(tune, 3), (Steps{1, 2, 3}));
  tune.Stop();
  EXPECT_EQ(Next(tune, 2), (Steps{0, 0}));
  tune.Play();
  EXPECT_EQ(Next(tune, 2), (Steps{4, 5}));
  EXPECT_FALSE(tune.Over());
  EXPECT_EQ(Next(tune, 2), (Steps{6, 7}));
  EXPECT_TRUE(tune.Over());
  tune.Rewind();
  EXPECT_FALSE(tune.Over());
  EXPECT_EQ(Next(tune, 2), (Steps{8, 9}));
  tune.Play();
  EXPECT_EQ(Next(tune, 3), (Steps{1 + 10, 2, 3}));
  tune.Rewind();
  tune.Play();
  EXPECT_EQ(Next(tune, 11), (Steps{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}));
}

}  // namespace
}  // namespace velune
