#pragma once

// Paths in the game's UTF-8, as the file system's own: on Windows the wide path that
// reaches every name, never the system's code page.

#include <filesystem>
#include <string>

namespace velune {

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace velune
