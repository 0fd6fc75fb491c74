#pragma once

#include <optional>
#include <string>

namespace velune {

// Runs the game window until it closes, on the story folder `game_folder`, or where it
// is left out on the folder where the program really lies. Returns the exit status.
int PlayInWindow(int argc, char** argv, const std::optional<std::string>& game_folder);

}  // namespace velune
