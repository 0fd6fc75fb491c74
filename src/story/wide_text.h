#pragma once

// Windows only: the game's UTF-8 text as the UTF-16 of Windows' wide functions, which
// reach every path and every character, and back.

#include <string>
#include <string_view>

namespace velune {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace velune
