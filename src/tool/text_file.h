#pragma once

#include <string>
#include <vector>

#include "story/file_system.h"
#include "story/game_folder.h"

namespace velune {

// One line of a story text file: as the game reads it, and the bytes it came from.
struct TextLine {
  std::string text;   // decoded to UTF-8 by the game's own reader
  std::string bytes;  // the raw bytes of the line, without its line end
};

// A scene file or the gift list, read whole the way the game reads it line by line.
struct TextFile {
  GameFile file;
  bool byte_order_mark = false;  // starts with the UTF-8 byte-order mark: read as UTF-8
  std::vector<TextLine> lines;
};

// The whole content of a file of the game folder. Throws std::runtime_error with the
// reason when the file cannot be opened or read.
std::string ReadFileBytes(FileSystem& files, const std::string& path);

// Reads a text file. The lines are split and decoded by the game's LineReader; the raw
// bytes of each line come from the same reader, so both always agree on where lines end.
// Throws std::runtime_error with the reason when the file cannot be opened or read.
TextFile ReadTextFile(FileSystem& files, const GameFile& file);

}  // namespace velune
