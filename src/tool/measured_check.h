#pragma once

#include "tool/ending_search.h"
#include "tool/findings.h"
#include "tool/story_model.h"

namespace velune {

// The checker's findings, with the pages measured on the game window's story text box
// where this platform measures it without a display.
Findings CheckStoryOnWindow(const Story& story, const EndingSearch& search);

}  // namespace velune
