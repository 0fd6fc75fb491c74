#include <gtest/gtest.h>

#include <limits>

#include "story/love_points.h"

namespace velune {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheLine) {
  // Full-width digits are not digits here.
  const std::pair<const char*, double> cases[] = {
      {"3", 3},
      {"-2", -2},
      {"+4", 4},
      {"  7 roses", 7},
      {"\t2.5", 2.5},
      {".5", 0.5},
      {"5.", 5},
      {"1e2x", 100},
      {"1e", 1},
      {"12abc", 12},
      {"roses", 0},
      {"", 0},
      {"-", 0},
      {".", 0},
      {"３", 0},
      {"1e999", kInf},
      {"-1e999", -kInf},
      {"1e-999", 0},
      {"0.001e400", kInf},
      {"1e+2", 100},
      {"0.01e+400", kInf},
  };
  for (const auto& [line, number] : cases) EXPECT_EQ(LeadingNumber(line), number) << line;
  // Too small for a double is worth nothing, however it is written (fuzzing found the
  // first infinite); too large is infinite.
  const std::string zeros(480, '0');
  EXPECT_EQ(LeadingNumber("." + zeros + "8"), 0);
  EXPECT_EQ(LeadingNumber("0." + zeros + "1e+5 points"), 0);
  EXPECT_EQ(LeadingNumber("-0." + zeros + "1"), 0);
  EXPECT_EQ(LeadingNumber("0." + zeros + "1e500"), 1e19);
  EXPECT_EQ(LeadingNumber("1" + zeros), kInf);
  EXPECT_EQ(LeadingNumber("-1" + zeros + "e-100"), -kInf);
}

TEST(AddLovePoints, RoundsHalvesToEvenAndHoldsTheRange) {
  const std::tuple<std::int16_t, double, int> cases[] = {
      {0, 2.5, 2},      {0, 3.5, 4},        {1, 1.5, 2},         {2, 1.5, 4},
      {0, -2, -2},      {0, -0.4, 0},       {32760, 100, 32767}, {-32760, -100, -32768},
      {5, kInf, 32767}, {5, -kInf, -32768},
  };
  for (const auto& [love, points, sum] : cases) {
    EXPECT_EQ(AddLovePoints(love, points), sum) << love << " + " << points;
  }
}

}  // namespace
}  // namespace velune
