#pragma once

#include "tool/ending_search.h"
#include "tool/findings.h"
#include "tool/story_model.h"

namespace velune {

// What the search of all plays tells an author: how each ending is reached or why none
// gets there, scenes and right gifts that no play reaches, and whether the search was cut
// short.
void ReportReachability(const Story& story, const EndingSearch& search, Findings& findings);

// "10 ラムネ (+10), 20 time-out": the answers of a play, as the report writes them.
std::string AnswersText(const std::vector<GiftAnswer>& answers);

// Why no play reaches ending `number` (1 to 3).
std::string WhyUnreached(const Story& story, const EndingSearch& search, int number);

}  // namespace velune
