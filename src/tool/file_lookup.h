#pragma once

#include <string>
#include <string_view>

#include "story/file_system.h"
#include "story/game_folder.h"

namespace velune {

// How a name written in a story finds its file.
enum class NameMatch {
  kExact,          // a file of exactly that name
  kIgnoringCase,   // only a file whose name differs in letter case
  kMissing,        // no such file
  kOutsideFolder,  // the name cannot name a file inside the game folder
};

struct FoundFile {
  NameMatch match = NameMatch::kMissing;
  GameFile file;  // the file the game opens; for a missing file, the one it tries

  // The game finds a file for the name.
  bool Exists() const { return match == NameMatch::kExact || match == NameMatch::kIgnoringCase; }
};

// Looks a file up exactly as the game does (FindGameFile), and tells whether the game
// found it only by ignoring letter case. `relative` is built as the game builds it.
FoundFile LocateGameFile(FileSystem& files, const std::string& app_dir, std::string_view relative);

// The relative path of a file of the game folder: "dat", "10", ".dat" make "dat/10.dat"
// with this platform's separator, as the game builds it.
std::string GamePath(std::string_view folder, std::string_view name, std::string_view extension);

}  // namespace velune
