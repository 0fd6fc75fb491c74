// The points line of a gift block: the number at its start, and the love points after it.
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "fuzz_input.h"
#include "story/love_points.h"

namespace {

// True when the C library reads the text exactly as the game must: a line made only of
// blanks, signs, digits, points and exponent letters, where strtod has nothing of its
// own to add (hexadecimal, infinity, other white space).
bool PlainDecimalOnly(std::string_view text) {
  for (const char c : text) {
    if (std::string_view(" \t+-.0123456789eE").find(c) == std::string_view::npos) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velune::fuzz::FuzzInput in(data, size);
  const auto love = static_cast<std::int16_t>(in.Word());
  const std::string line = in.Rest();

  const double value = velune::LeadingNumber(line);
  FUZZ_CHECK(!std::isnan(value));
  if (PlainDecimalOnly(line)) {
    const double expected = std::strtod(line.c_str(), nullptr);
    const bool both_tiny = std::fabs(expected) < 1e-300 && std::fabs(value) < 1e-300;
    FUZZ_CHECK(both_tiny || value == expected);
  }

  const std::int16_t after = velune::AddLovePoints(love, value);
  const double sum = static_cast<double>(love) + value;
  if (std::fabs(sum) < 30000) FUZZ_CHECK(after == static_cast<std::int16_t>(std::nearbyint(sum)));
  if (sum >= 40000) FUZZ_CHECK(after == std::numeric_limits<std::int16_t>::max());
  if (sum <= -40000) FUZZ_CHECK(after == std::numeric_limits<std::int16_t>::min());
  return 0;
}
