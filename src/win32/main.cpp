// Velune on Windows: the game window on the story beside the program. Its one option is
// --version; any other argument is ignored.
#include "win32/windows_api.h"
// windows.h first: the others build on its types.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <filesystem>
#include <string>

#include "media/system_mci.h"
#include "story/disk_file_system.h"
#include "story/wide_text.h"
#include "win32/win32_window.h"

namespace {

bool AskedForVersion() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  bool asked = false;
  for (int i = 1; i < argc; ++i) asked = asked || std::wstring(argv[i]) == L"--version";
  LocalFree(argv);
  return asked;
}

// Says the version on the console the program was started from, if any.
void PrintVersion() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    AttachConsole(ATTACH_PARENT_PROCESS);
    out = GetStdHandle(STD_OUTPUT_HANDLE);
  }
  const std::string text = "velune " VELUNE_VERSION "\n";
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The folder where the program lies, in UTF-8.
std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n = 0;
  while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(n);
  const std::u8string folder = std::filesystem::path(path).parent_path().u8string();
  return std::string(folder.begin(), folder.end());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (AskedForVersion()) {
    PrintVersion();
    return 0;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the picture decoders
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  velune::DiskFileSystem files;
  const auto mci = velune::CreateSystemMci();
  int status = 0;
  {
    velune::Win32GameWindow window(instance, files, *mci);
    status = window.Start(ProgramFolder()) ? window.Run() : window.ExitStatus();
  }
  CoUninitialize();
  return status;
}
