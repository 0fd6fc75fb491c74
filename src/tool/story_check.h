#pragma once

#include "tool/ending_search.h"
#include "tool/findings.h"
#include "tool/page_fit.h"
#include "tool/story_model.h"

namespace velune {

// Everything the checker finds in a story: the files, every scene line, and what plays
// of the story can reach (from `search`); with `box`, also the pages of story text that
// it cannot show whole.
Findings CheckStory(const Story& story, const EndingSearch& search, const TextBox* box = nullptr);

}  // namespace velune
