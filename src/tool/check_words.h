#pragma once

#include <string>
#include <string_view>

#include "story/line_kind.h"
#include "story/text_decoding.h"  // Quoted

namespace velune {

// Words the checker and the map share to speak about a story.

// "a picture line", "a gift prompt", "story text", … in the language in use: a part for a
// message that says the same of every kind of line.
std::string KindNoun(LineKind kind);

// A number of love points as an author writes it: "10", "-3", "2.5".
std::string PointsText(double points);

}  // namespace velune
