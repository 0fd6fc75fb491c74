#include "tool/measured_check.h"
#include "tool/offscreen_application.h"
#include "tool/story_check.h"
#include "tool/window_text_box.h"

namespace velune {

Findings CheckStoryOnWindow(const Story& story, const EndingSearch& search) {
  const OffscreenApplication qt;
  const WindowTextBox box;
  return CheckStory(story, search, &box);
}

}  // namespace velune
