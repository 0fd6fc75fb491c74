#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "media/tune_device.h"
#include "story/mci_port.h"

namespace velune {

// Understands the MCI command texts that the game sends and plays them on one tune
// device:
//
//   open "PATH" alias NAME            the path in double quotes, passed on unchanged; it
//                                     ends at the last double quote before the word alias
//   close NAME [notify]
//   play NAME [notify]
//   play NAME from 0
//   stop NAME [notify]
//   seek NAME to start
//   status NAME mode                  answers "playing", "stopped" or "not ready"
//
// Words are separated by blanks; command words and the alias are not case-sensitive, as
// on Windows. Anything else is refused with an error code and changes nothing: no call
// reaches the device and the reply buffer is left as it was.
class MciInterpreter : public MciPort {
 public:
  // Error codes as the platform's MCI gives them.
  static constexpr int kOk = 0;
  static constexpr int kUnrecognizedKeyword = 259;  // a word that the command does not take
  static constexpr int kUnrecognizedCommand = 261;  // no such command
  static constexpr int kInvalidDeviceName = 263;    // nothing is open under that alias
  static constexpr int kMissingParameter = 273;     // a word that the command needs is missing
  static constexpr int kCannotOpen = 275;           // the tune file is missing or unplayable
  static constexpr int kDuplicateAlias = 289;       // a tune is already open under an alias
  static constexpr int kMissingQuote = 294;         // a double quote is left open or misplaced

  explicit MciInterpreter(TuneDevice& device) : device_(device) {}

  // The reply of a status query is written as at most reply_length - 1 characters and a
  // terminating NUL, as mciSendString does; nothing is written when reply is null or
  // reply_length is not positive.
  int SendString(std::string_view command, char* reply, int reply_length) override;

  // The device as a status query would see it; closed when nothing is open.
  TuneDevice::Mode Mode();

 private:
  TuneDevice& device_;
  std::optional<std::string> alias_;  // the name the open tune goes by, in lower case
};

}  // namespace velune
