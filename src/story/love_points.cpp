#include "story/love_points.h"

#include <algorithm>
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

// For a number too large or too small for a double: true when it is too small, so near
// zero, false when it is too large. The decimal magnitude decides: where the first digit
// that is not 0 stands, moved by the exponent.
bool TooSmallToHold(std::string_view number) {
  const std::size_t e = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, e);
  const std::size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
  long long magnitude = 0;  // the power of ten just above the number's first digit
  const std::size_t first_whole = whole.find_first_not_of('0');
  const std::size_t first_fraction = fraction.find_first_not_of('0');
  if (first_whole != std::string_view::npos) {
    magnitude = static_cast<long long>(whole.size() - first_whole);
  } else if (first_fraction != std::string_view::npos) {
    magnitude = -static_cast<long long>(first_fraction);
  } else {
    return true;  // all zeros
  }
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = number.substr(e + 1);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
      digits.remove_prefix(1);
    for (const char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    if (negative) exponent = -exponent;
  }
  return magnitude + exponent < 0;
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
    // Too large or too small to hold: the number runs to infinity or to zero.
    value = TooSmallToHold(digits) ? 0.0 : std::numeric_limits<double>::infinity();
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
