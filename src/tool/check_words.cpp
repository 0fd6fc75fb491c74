#include "tool/check_words.h"

#include <cmath>
#include <sstream>

#include "story/text_decoding.h"

namespace velune {

std::string KindNoun(LineKind kind) {
  switch (kind) {
    case LineKind::kIgnored:
      return "an ignored line";
    case LineKind::kPicture:
      return "a picture line";
    case LineKind::kEnding:
      return "an ending line";
    case LineKind::kRestart:
      return "a restart line";
    case LineKind::kJump:
      return "a jump line";
    case LineKind::kPrompt:
      return "a gift prompt";
    case LineKind::kPageBreak:
      return "a page break";
    case LineKind::kText:
      return "story text";
  }
  return "a line";
}

std::string PointsText(double points) {
  if (std::isfinite(points) && std::nearbyint(points) == points && std::fabs(points) < 1e15) {
    return std::to_string(static_cast<long long>(points));
  }
  std::ostringstream out;
  out << points;
  return out.str();
}

std::string Counted(std::size_t n, std::string_view word) {
  return std::to_string(n) + " " + std::string(word) + (n == 1 ? "" : "s");
}

}  // namespace velune
