#pragma once

#include <stdexcept>
#include <string>

namespace velune {

// An error that no routine of the game traps: the window reports it in a message
// box and the game ends. The message names what failed (file and line where known).
class GameError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace velune
