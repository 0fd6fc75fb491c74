#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tool/script.h"

namespace velune {

// Exit statuses of a scripted run.
inline constexpr int kRunOk = 0;
inline constexpr int kRunBadScript = 2;
inline constexpr int kRunGameError = 3;

// Plays the game in `game_dir` headlessly on a virtual clock, acting out `script`, and
// writes what the window would show as JSON lines to `out`; messages about the script go
// to `err`. Returns the exit status.
int PlayScript(const std::string& game_dir, const std::vector<Action>& script, bool trace_mci,
               std::ostream& out, std::ostream& err);

}  // namespace velune
