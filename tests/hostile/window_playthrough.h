#pragma once

#include <string>
#include <vector>

#include "game/message_boxes.h"

namespace velune::testing {

// Message boxes that show nothing: errors are noted, the about message is let be.
inline MessageBoxes QuietBoxes(std::vector<QString>* errors) {
  return {[](QWidget*, const QString&) {},
          [errors](QWidget*, const QString& text) { errors->push_back(text); }};
}

// strace notes these file names, which name nothing, where the playthrough begins and
// ends, so that what the test program does before and after can be told apart.
inline constexpr char kBegins[] = "/velune-window-playthrough-begins";
inline constexpr char kEnds[] = "/velune-window-playthrough-ends";

// Plays the bundled story through to its third ending in the game window, on a virtual
// clock, from the story folder `folder`, as the scripted player plays
// tests/tool/plays/end3.play. Returns 0 when it got there; says why not on standard error.
int PlayThroughInWindow(const std::string& folder);

}  // namespace velune::testing
