// The points line of a gift block: the number at its start, and the love points after it.

#include "story/love_points.h"
#include "fuzz_input.h"

static void Fuzz(velune::fuzz::FuzzInput& in) {
  const auto love = static_cast<std::int16_t>(in.Word());
  const std::string line = in.Rest();

  const double value = velune::LeadingNumber(line);
  FUZZ_CHECK(!std::isnan(value));
  // Of blanks, signs, digits, points and exponents only, the text reads as strtod reads it.
  if (line.find_first_not_of(" \t+-.0123456789eE") == std::string::npos) {
    const double expected = std::strtod(line.c_str(), nullptr);
    FUZZ_CHECK((std::fabs(expected) < 1e-300 && std::fabs(value) < 1e-300) || value == expected);
  }

  const std::int16_t after = velune::AddLovePoints(love, value);
  const double sum = static_cast<double>(love) + value;
  if (std::fabs(sum) < 30000) FUZZ_CHECK(after == static_cast<std::int16_t>(std::nearbyint(sum)));
  if (sum >= 40000) FUZZ_CHECK(after == std::numeric_limits<std::int16_t>::max());
  if (sum <= -40000) FUZZ_CHECK(after == std::numeric_limits<std::int16_t>::min());
}
