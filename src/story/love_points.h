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

}  // namespace velune
