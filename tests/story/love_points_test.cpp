#include <gtest/gtest.h>

#include "story/love_points.h"

namespace velune {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheLine) {
  EXPECT_EQ(LeadingNumber("3"), 3);
  EXPECT_EQ(LeadingNumber("-2"), -2);
  EXPECT_EQ(LeadingNumber("+4"), 4);
  EXPECT_EQ(LeadingNumber("  7 roses"), 7);
  EXPECT_EQ(LeadingNumber("\t2.5"), 2.5);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("5."), 5);
  EXPECT_EQ(LeadingNumber("1e2x"), 100);
  EXPECT_EQ(LeadingNumber("1e"), 1);
  EXPECT_EQ(LeadingNumber("12abc"), 12);
  EXPECT_EQ(LeadingNumber("roses"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber("."), 0);
  EXPECT_EQ(LeadingNumber("３"), 0);  // full-width digits are not digits here
  EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("1e-999"), 0);
}

TEST(AddLovePoints, RoundsHalvesToEvenAndHoldsTheRange) {
  EXPECT_EQ(AddLovePoints(0, 2.5), 2);
  EXPECT_EQ(AddLovePoints(0, 3.5), 4);
  EXPECT_EQ(AddLovePoints(1, 1.5), 2);
  EXPECT_EQ(AddLovePoints(2, 1.5), 4);
  EXPECT_EQ(AddLovePoints(0, -2), -2);
  EXPECT_EQ(AddLovePoints(0, -0.4), 0);
  EXPECT_EQ(AddLovePoints(32760, 100), 32767);
  EXPECT_EQ(AddLovePoints(-32760, -100), -32768);
  EXPECT_EQ(AddLovePoints(5, std::numeric_limits<double>::infinity()), 32767);
  EXPECT_EQ(AddLovePoints(5, -std::numeric_limits<double>::infinity()), -32768);
}

}  // namespace
}  // namespace velune
