#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "story/file_system.h"

namespace velune {

// A file of the game folder: where to open it, and how to name it to an author.
struct GameFile {
  std::string path;     // the game folder's path followed by the relative path
  std::string display;  // the path relative to the game folder, as written to authors
};

// Finds the file that a story names, relative to the game folder `app_dir` (which ends
// in one separator). `relative` is built as the game builds it (folder, name and
// extension); a backslash or slash in it separates folders on every platform. The name
// is looked up exactly first; where no such file exists, each part of the path may
// match an entry of its folder ignoring ASCII letter case (the first in byte order), so
// folders written on Windows play on case-sensitive file systems. Returns nothing for a
// name that cannot name a file inside the game folder (a NUL byte, or ".." leading out).
std::optional<GameFile> FindGameFile(FileSystem& files, const std::string& app_dir,
                                     std::string_view relative);

// The program's folder as the game keeps it: always ending in one separator.
std::string WithTrailingSeparator(std::string folder);

}  // namespace velune
