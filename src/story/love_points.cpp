#include "story/love_points.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velune {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of `s` that reads as an unsigned decimal number.
std::size_t NumberLength(std::string_view s) {
  std::size_t i = 0;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    std::size_t fraction = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++fraction;
    if (digits + fraction > 0) i = j, digits += fraction;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t exponent_start = j;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j > exponent_start) i = j;
  }
  return i;
}

}  // namespace

double LeadingNumber(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
  const std::string_view digits = line.substr(i, NumberLength(line.substr(i)));
  if (digits.empty()) return 0.0;
  double value = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small to hold: an exponent that runs to infinity or to zero.
    const bool tiny = digits.find_first_of("eE") != std::string_view::npos &&
                      digits[digits.find_first_of("eE") + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return negative ? -value : value;
}

std::int16_t AddLovePoints(std::int16_t love, double points) {
  const double sum = std::nearbyint(static_cast<double>(love) + points);  // halves to even
  constexpr double kMin = std::numeric_limits<std::int16_t>::min();
  constexpr double kMax = std::numeric_limits<std::int16_t>::max();
  if (sum < kMin) return std::numeric_limits<std::int16_t>::min();
  if (sum > kMax) return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(sum);
}

}  // namespace velune
