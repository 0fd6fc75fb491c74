#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
// windows.h first: mmsystem.h builds on its types.
#include <mmsystem.h>

#include <string>

#include "media/system_mci.h"
#include "story/wide_text.h"

namespace velune {
namespace {

// On Windows the command texts go to the system's own MCI, as they always did. They
// are UTF-8 here (the tune's path was decoded from the story files), so they go in
// UTF-16, which reaches any path; the replies ("playing", "stopped") are plain ASCII.
class WindowsMci : public MciPort {
 public:
  int SendString(std::string_view command, char* reply, int reply_length) override {
    const std::wstring text = WideFromUtf8(command);
    if (reply == nullptr || reply_length <= 0) {
      return static_cast<int>(mciSendStringW(text.c_str(), nullptr, 0, nullptr));
    }
    std::wstring answer(static_cast<std::size_t>(reply_length) + 1, L'\0');
    const auto error =
        mciSendStringW(text.c_str(), answer.data(), static_cast<UINT>(reply_length), nullptr);
    if (error == 0) {
      int i = 0;
      for (; i < reply_length && answer[static_cast<std::size_t>(i)] != L'\0'; ++i) {
        const wchar_t c = answer[static_cast<std::size_t>(i)];
        reply[i] = c < 0x80 ? static_cast<char>(c) : '?';
      }
      reply[i] = '\0';
    }
    return static_cast<int>(error);
  }
};

}  // namespace

std::unique_ptr<MciPort> CreateSystemMci() { return std::make_unique<WindowsMci>(); }

}  // namespace velune
