#pragma once

#include <string_view>

namespace velune {

// The platform's MCI command-string interface: a command text in, an error code out,
// and for a status query a reply written into the caller's buffer (at most
// `reply_length` characters and a terminating NUL). The game never looks at the code.
class MciPort {
 public:
  virtual ~MciPort() = default;
  virtual int SendString(std::string_view command, char* reply, int reply_length) = 0;
};

}  // namespace velune
