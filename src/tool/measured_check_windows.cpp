#include "tool/measured_check.h"
#include "tool/story_check.h"

namespace velune {

// The pages are not measured on Windows yet: the native window's text box has no
// measure of its own.
Findings CheckStoryOnWindow(const Story& story, const EndingSearch& search) {
  return CheckStory(story, search);
}

}  // namespace velune
