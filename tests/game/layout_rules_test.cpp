#include "game/layout_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace velune::layout {
namespace {

// Outer heights in twips, from the smallest to the tallest windows: the height in
// sixths (halves to the even one), the width 8 twips a sixth, the font a point a
// thousand twips.
const struct {
  std::int32_t height, sixths, width, font;
} kShapes[] = {
    {0, 0, 0, 3},
    {3, 0, 0, 3},    // 0.5 goes to 0, the even one
    {9, 2, 16, 3},   // 1.5 goes to 2
    {15, 2, 16, 3},  // 2.5 goes to 2
    {799, 133, 8 * 133, 3},
    {807, 134, 8 * 134, 3},  // 134.5
    {813, 136, 8 * 136, 3},  // 135.5
    {999, 166, 8 * 166, 3},  // 166.5
    {1000, 167, 8 * 167, 4},
    {1999, 333, 8 * 333, 4},
    {2000, 333, 8 * 333, 5},
    {7035, 1172, 8 * 1172, 10},                    // the window as it first opens, 1172.5
    {24573, 4096, 8 * 4096, 27},                   // 4095.5: beyond 16 bits, still a width in 32
    {64815, 10802, 8 * 10802, 67},                 // 4,321 pixels, 10802.5
    {1610612732, 268435455, 2147483640, 1610615},  // the widest width in 32 bits
};

TEST(LayoutRules, TheWidthFollowsTheHeightInStepsOfEightAndTheFontAPointPerThousandTwips) {
  for (const auto& c : kShapes) {
    SCOPED_TRACE("H = " + std::to_string(c.height));
    EXPECT_EQ(HeightSixths(c.height), c.sixths);
    EXPECT_EQ(OuterWidthTwips(c.height), c.width);
    EXPECT_EQ(BaseFontSize(c.height), c.font);
  }
  // A width beyond 32 bits is no width.
  EXPECT_FALSE(OuterWidthTwips(1610612733).has_value());  // 268435455.5 rounds up to even
  EXPECT_FALSE(OuterWidthTwips(std::numeric_limits<std::int32_t>::max()).has_value());
}

TEST(LayoutRules, PixelsAreWholeAndRowsAreWhole) {
  EXPECT_EQ(TwipsToPixels(15 * 40 + 7), 40);
  EXPECT_EQ(TwipsToPixels(15 * 40 + 8), 41);  // halves round up
  EXPECT_EQ(TwipsToPixels(34000), 2267);
  // A list asked for `wanted` pixels shows the most whole rows that fit, one at least.
  const struct {
    int wanted, row, taken;
  } lists[] = {
      {300, 17, 17 * 17 + 2}, {291, 17, 291}, {290, 17, 16 * 17 + 2}, {10, 17, 19}, {10, 0, 10}};
  for (const auto& l : lists) EXPECT_EQ(WholeRowsHeight(l.wanted, l.row, 1), l.taken) << l.wanted;
}

TEST(LayoutRules, TheGridAxisRoundsEdgesToPixelsAndReadsThemBack) {
  const GridAxis across{621, 40};
  EXPECT_EQ(across.StartPixel(0.5), 8);          // 7.76
  EXPECT_EQ(across.LengthPixels(0.5, 30), 466);  // 8 to 474 (473.5)
  EXPECT_EQ(across.StartPixel(31), 481);         // 481.3
  EXPECT_DOUBLE_EQ(across.ToUnits(466), 466 / 15.525);
  EXPECT_EQ(across.StartPixel(across.ToUnits(481)), 481);  // what was read back stays put
}

}  // namespace
}  // namespace velune::layout
