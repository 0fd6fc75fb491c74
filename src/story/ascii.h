#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace velune {

// Letter case and blanks as file names and MCI command texts know them: plain ASCII,
// whatever the system's locale.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

inline std::string AsciiLowered(std::string_view s) {
  std::string lowered(s);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
  return lowered;
}

inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

inline bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         SameIgnoringAsciiCase(text.substr(text.size() - end.size()), end);
}

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// `s` without blanks at either end.
constexpr std::string_view TrimmedBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace velune
