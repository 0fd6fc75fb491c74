#include "win32/win32_window.h"
// win32_window.h brings windows.h, which these build on.
#include <commctrl.h>

#include "media/system_mci.h"
#include "story/disk_file_system.h"
#include "tool/measured_check.h"
#include "tool/story_check.h"

namespace velune {
namespace {

// The story text box of the game window as it opens, laid out but never shown.
class UnseenWindowTextBox : public TextBox {
 public:
  UnseenWindowTextBox() { window_.LayOutUnseen(); }
  bool Made() const { return window_.Made(); }
  bool Fits(std::string_view caption) const override {
    return window_.ShowsWhole(std::string(caption));
  }

 private:
  DiskFileSystem files_;
  std::unique_ptr<MciPort> mci_ = CreateSystemMci();  // the window's game sends it nothing
  Win32GameWindow window_{GetModuleHandleW(nullptr), files_, *mci_};
};

}  // namespace

Findings CheckStoryOnWindow(const Story& story, const EndingSearch& search) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const UnseenWindowTextBox box;
  return CheckStory(story, search, box.Made() ? &box : nullptr);
}

}  // namespace velune
