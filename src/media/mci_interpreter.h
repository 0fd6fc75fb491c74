#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "media/tune_device.h"
#include "story/mci_port.h"

namespace velune {

// Understands the MCI command texts that the game sends and plays them on one tune
// device: open "PATH" alias NAME; close, play, stop NAME with or without notify;
// play NAME from 0; seek NAME to start; status NAME mode. Anything else is refused with
// an error code and changes nothing.
class MciInterpreter : public MciPort {
 public:
  // Error codes as the platform's MCI gives them.
  static constexpr int kOk = 0;
  static constexpr int kInvalidDeviceName = 263;
  static constexpr int kUnrecognizedCommand = 261;
  static constexpr int kBadCommandSyntax = 274;  // a command word the verb does not take
  static constexpr int kCannotOpen = 275;

  explicit MciInterpreter(TuneDevice& device) : device_(device) {}

  int SendString(std::string_view command, char* reply, int reply_length) override;

  // The device as a status query would see it; closed when nothing is open.
  TuneDevice::Mode Mode();

 private:
  TuneDevice& device_;
  std::optional<std::string> alias_;  // the name the open tune goes by
};

}  // namespace velune
