#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "story/game_names.h"

namespace velune {

// How velune-tool play opens the window for the author: the new game at `scene` with
// `love` points, and with `watch`, a new one at every save of the story, the window
// showing an error in place of ending on it.
struct Preview {
  std::string scene = kFirstScene;
  std::int16_t love = 0;
  bool watch = false;
};

// Runs the game window until it closes, on the story folder `game_folder`, or where it
// is left out on the folder where the program really lies. Returns the exit status.
int PlayInWindow(int argc, char** argv, const std::optional<std::string>& game_folder,
                 const Preview& preview = {});

}  // namespace velune
