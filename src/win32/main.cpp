// Velune on Windows: the game window on the story beside the program. Its one option is
// --version; any other argument is ignored.
#include "win32/windows_api.h"
// windows.h first: shellapi.h builds on its types.
#include <shellapi.h>

#include <string>

#include "game/play_window.h"
#include "story/user_languages.h"

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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (AskedForVersion()) {
    PrintVersion();
    return 0;
  }
  velune::SpeakUserLanguage();
  return velune::PlayInWindow(0, nullptr, std::nullopt);
}
