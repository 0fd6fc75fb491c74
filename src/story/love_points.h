#pragma once

#include <cstdint>
#include <string_view>

namespace velune {

// The number at the start of a points line, read as the game always read it: leading
// blanks skipped, then an optional sign, digits, an optional decimal point with digits
// and an optional exponent, up to the first character that cannot continue the number.
// A line that does not begin with a number is worth 0.
double LeadingNumber(std::string_view line);

// Love after adding `points`: the sum rounded to the nearest integer, halves to the even
// neighbour, and held within the 16-bit range so that an odd number in a story file
// cannot end a player's game.
std::int16_t AddLovePoints(std::int16_t love, double points);

// The love points each ending needs: end1 below 20, end2 20 to 29, end3 30 or more.
inline constexpr int kEnding2Love = 20;
inline constexpr int kEnding3Love = 30;

// The ending that an ending line opens with `love` points: 1, 2 or 3.
constexpr int EndingForLove(int love) {
  return love >= kEnding3Love ? 3 : love >= kEnding2Love ? 2 : 1;
}

}  // namespace velune
