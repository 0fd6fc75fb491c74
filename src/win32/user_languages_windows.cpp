// The user's display languages, in the order of the system's language settings.
#include "story/user_languages.h"
#include "story/wide_text.h"
#include "win32/windows_api.h"

namespace velune {

std::vector<std::string> UserLanguages() {
  ULONG count = 0;
  ULONG size = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size)) return {};
  std::wstring names(size, L'\0');
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) return {};
  // "ja-JP\0en-US\0\0"
  std::vector<std::string> languages;
  for (std::size_t start = 0; start < names.size() && names[start] != L'\0';) {
    const std::size_t end = names.find(L'\0', start);
    languages.push_back(Utf8FromWide(names.substr(start, end - start)));
    start = end + 1;
  }
  return languages;
}

}  // namespace velune
