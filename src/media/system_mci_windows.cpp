#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// windows.h first: mmsystem.h builds on its types.
#include <mmsystem.h>

#include <string>

#include "media/system_mci.h"

namespace velune {
namespace {

// On Windows the command texts go to the system's own MCI, as they always did.
class WindowsMci : public MciPort {
 public:
  int SendString(std::string_view command, char* reply, int reply_length) override {
    const std::string text(command);  // mciSendStringA takes a NUL-terminated text
    const bool has_reply = reply != nullptr && reply_length > 0;
    return static_cast<int>(mciSendStringA(text.c_str(), has_reply ? reply : nullptr,
                                           has_reply ? static_cast<UINT>(reply_length) : 0,
                                           nullptr));
  }
};

}  // namespace

std::unique_ptr<MciPort> CreateSystemMci() { return std::make_unique<WindowsMci>(); }

}  // namespace velune
