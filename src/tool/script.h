#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velune {

// One player action of a play script.
struct Action {
  enum class Kind { kWait, kClick, kSelect, kGive, kAbout, kShow, kClose };
  Kind kind;
  std::int64_t value = 0;  // ms for wait, the button for click (1, 2, 4), the entry for select
  int line = 0;            // where the action stands in the script
};

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a whole play script, one action a line; blank lines and lines whose first
// non-blank character is '#' are skipped. Throws ScriptError naming the line.
std::vector<Action> ParseScript(std::istream& in);

// Reads and parses the script in the file `path`, or standard input when `path` is "-".
// A file that cannot be read throws ScriptError with the system's reason.
std::vector<Action> ReadScript(const std::string& path);

}  // namespace velune
