// The points line of a gift block: the number at its start, and the love points after it.

#include "story/love_points.h"
#include "fuzz_input.h"

static void Fuzz(velune::fuzz::FuzzInput& in) {
  const auto love = static_cast<std::int16_t>(in.Word());
  const std::string line = in.Rest();

  const double value = velune::LeadingNumber(line);
  FUZZ_CHECK(!std::isnan(value));
  // The run of blanks, signs, digits, points and exponents it starts with reads as strtod reads it.
  const std::string number = line.substr(0, line.find_first_not_of(" \t+-.0123456789eE"));
  const double expected = std::strtod(number.c_str(), nullptr);
  FUZZ_CHECK((std::fabs(expected) < 1e-300 && std::fabs(value) < 1e-300) || value == expected);

  // Rounded half to even, held in the love meter's range.
  const double sum = std::clamp(std::nearbyint(love + value), -32768.0, 32767.0);
  FUZZ_CHECK(velune::AddLovePoints(love, value) == static_cast<std::int16_t>(sum));
}
