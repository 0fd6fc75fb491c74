#include "win32/windows_api.h"
// windows.h first: shellapi.h builds on its types.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "story/wide_text.h"
#include "tool/console.h"

namespace velune {

std::vector<std::string> ArgumentsInUtf8(int, char**) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

void WriteBytesAsTheyAre() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

void ReadBytesAsTheyAre() { _setmode(_fileno(stdin), _O_BINARY); }

}  // namespace velune
