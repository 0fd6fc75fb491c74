#include "media/rendered_tune.h"

#include <gtest/gtest.h>

#include <vector>

namespace velune {
namespace {

// A tune of six frames and an echo of four after its end; frame i sounds i on the left
// and -i on the right, in steps of 1/32768.
RenderedTune TinyTune() {
  std::vector<std::int16_t> frames;
  for (std::int16_t i = 1; i <= 10; ++i) {
    frames.push_back(i);
    frames.push_back(static_cast<std::int16_t>(-i));
  }
  return RenderedTune(std::move(frames), 6);
}

// The next `count` frames, left channel, in the tune's own steps.
std::vector<int> Next(RenderedTune& tune, int count) {
  std::vector<float> left(static_cast<std::size_t>(count));
  std::vector<float> right(static_cast<std::size_t>(count));
  tune.Fill(left.data(), right.data(), count);
  std::vector<int> steps;
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(left[i], -right[i]);
    steps.push_back(static_cast<int>(left[i] * 32768));
  }
  return steps;
}

TEST(RenderedTune, PlaysStopsAndEndsWhereTheTuneDoes) {
  RenderedTune tune = TinyTune();
  EXPECT_EQ(Next(tune, 2), (std::vector<int>{0, 0}));  // not yet playing
  tune.Play();
  EXPECT_EQ(Next(tune, 3), (std::vector<int>{1, 2, 3}));
  tune.Stop();
  EXPECT_EQ(Next(tune, 2), (std::vector<int>{0, 0}));
  tune.Play();  // on from where it stopped
  EXPECT_EQ(Next(tune, 2), (std::vector<int>{4, 5}));
  EXPECT_FALSE(tune.Over());
  EXPECT_EQ(Next(tune, 1), (std::vector<int>{6}));
  EXPECT_TRUE(tune.Over());  // the echo sounds on after the end
  EXPECT_EQ(Next(tune, 6), (std::vector<int>{7, 8, 9, 10, 0, 0}));
  EXPECT_TRUE(tune.Over());
}

TEST(RenderedTune, TheEchoOfTheEndRingsOnUnderTheNextRound) {
  RenderedTune tune = TinyTune();
  tune.Play();
  Next(tune, 7);  // the tune and the first frame of its echo
  tune.Rewind();
  EXPECT_FALSE(tune.Over());
  EXPECT_EQ(Next(tune, 2), (std::vector<int>{8, 9}));  // rewound, stopped: the echo alone
  tune.Play();
  EXPECT_EQ(Next(tune, 3), (std::vector<int>{1 + 10, 2, 3}));
  // A rewind before the end cuts off what comes: no echo.
  tune.Rewind();
  tune.Play();
  EXPECT_EQ(Next(tune, 2), (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace velune
