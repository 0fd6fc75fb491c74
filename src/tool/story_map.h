#pragma once

#include <string>

#include "tool/ending_search.h"
#include "tool/findings.h"
#include "tool/story_model.h"

namespace velune {

// The story drawn as a Graphviz graph: scenes as boxes with their first line of text,
// and jumps, right gifts, wrong gifts and time-outs, endings by love points and restarts
// as labelled arrows. Scenes that no play reaches are grey; errors are red. `title`
// heads the drawing.
std::string StoryMapDot(const Story& story, const EndingSearch& search, const Findings& findings,
                        const std::string& title);

}  // namespace velune
