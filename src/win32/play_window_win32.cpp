// The game window's program loop on Windows, for the game and for velune-tool play.
#include "game/play_window.h"
#include "win32/win32_window.h"
// win32_window.h brings windows.h, which these build on.
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <filesystem>

#include "media/system_mci.h"
#include "story/disk_file_system.h"
#include "story/translation.h"
#include "story/utf8_paths.h"

namespace velune {
namespace {

// The folder where the program lies, in UTF-8.
std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n = 0;
  while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(n);
  return Utf8FromPath(std::filesystem::path(path).parent_path());
}

}  // namespace

int PlayInWindow(int, char**, const std::optional<std::string>& game_folder,
                 const Preview& preview) {
  if (preview.watch) {
    std::fputs(Tr("window",
                  "velune-tool play: --watch is not available on Windows yet; play the story "
                  "without it and open it again after a change.\n")
                   .Text()
                   .c_str(),
               stderr);
    return 2;
  }
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));  // pictures
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  DiskFileSystem files;
  const auto mci = CreateSystemMci();
  int status = 0;
  {
    Win32GameWindow window(GetModuleHandleW(nullptr), files, *mci);
    status = window.Start(game_folder ? *game_folder : ProgramFolder(), preview.scene, preview.love)
                 ? window.Run()
                 : window.ExitStatus();
  }
  if (com) CoUninitialize();
  return status;
}

}  // namespace velune
