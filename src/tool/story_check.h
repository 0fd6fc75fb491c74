#pragma once

#include "tool/ending_search.h"
#include "tool/findings.h"
#include "tool/story_model.h"

namespace velune {

// Everything the checker finds in a story: the files, every scene line, and what plays
// of the story can reach (from `search`).
Findings CheckStory(const Story& story, const EndingSearch& search);

}  // namespace velune
