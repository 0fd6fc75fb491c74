#pragma once

#include <stdexcept>
#include <string>

namespace velune {

// The most characters of a story line or name that a message quotes: a line may run on
// for a megabyte.
inline constexpr std::size_t kLongestQuote = 200;

// An error that no routine of the game traps: the window reports it in a message
// box and the game ends. The message names what failed (file and line where known).
class GameError : public std::runtime_error {
 public:
  explicit GameError(const std::string& message) : std::runtime_error(Visible(message)) {}
  explicit GameError(const char* message) : GameError(std::string(message)) {}

 private:
  // A NUL byte, which a story line may hold, would end the message there: it is shown as
  // the symbol for null, U+2400.
  static std::string Visible(std::string message) {
    for (std::size_t at = message.find('\0'); at != std::string::npos;
         at = message.find('\0', at)) {
      message.replace(at, 1, "\u2400");
    }
    return message;
  }
};

// A read after the last line of a file: the file ends where the game reads on.
class ReadPastEnd : public GameError {
 public:
  using GameError::GameError;
};

}  // namespace velune
