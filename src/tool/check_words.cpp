#include "tool/check_words.h"

#include <cmath>
#include <sstream>

#include "story/text_decoding.h"
#include "story/translation.h"

namespace velune {

std::string KindNoun(LineKind kind) {
  switch (kind) {
    case LineKind::kIgnored:
      return Tr("check", "an ignored line");
    case LineKind::kPicture:
      return Tr("check", "a picture line");
    case LineKind::kEnding:
      return Tr("check", "an ending line");
    case LineKind::kRestart:
      return Tr("check", "a restart line");
    case LineKind::kJump:
      return Tr("check", "a jump line");
    case LineKind::kPrompt:
      return Tr("check", "a gift prompt");
    case LineKind::kPageBreak:
      return Tr("check", "a page break");
    case LineKind::kText:
      return Tr("check", "story text");
  }
  return Tr("check", "a line");
}

std::string PointsText(double points) {
  if (std::isfinite(points) && std::nearbyint(points) == points && std::fabs(points) < 1e15) {
    return std::to_string(static_cast<long long>(points));
  }
  std::ostringstream out;
  out << points;
  return out.str();
}

}  // namespace velune
