#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>

namespace velune {

// The largest message body the server takes; a longer one is skipped unread.
inline constexpr std::size_t kLargestMessage = std::size_t{64} << 20;

struct FramedMessage {
  enum class Status {
    kMessage,   // `body` holds one message
    kTooLarge,  // a message longer than the limit was skipped: the stream goes on after it
    kEnd,       // the input ended between messages
    kBroken,    // the headers cannot be read, or the input ended inside a message: nothing
                // after it can be told apart
  };
  Status status = Status::kEnd;
  std::string body;
  std::string problem;  // for kTooLarge and kBroken, in English for the log
};

// Reads one message framed as the Language Server Protocol frames them: headers of
// "Name: value" lines ended by CR LF, an empty line, then Content-Length bytes.
FramedMessage ReadFramedMessage(std::istream& in, std::size_t limit = kLargestMessage);

// Writes `body` with its Content-Length header, and flushes.
void WriteFramedMessage(std::ostream& out, const std::string& body);

}  // namespace velune
