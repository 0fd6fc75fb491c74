#pragma once

#include <cstddef>
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

// A scene file or the gift list, read the way the game reads it line by line.
struct TextFile {
  GameFile file;
  bool byte_order_mark = false;  // starts with the UTF-8 byte-order mark: read as UTF-8
  std::vector<TextLine> lines;
  // The number of a line longer than kLongestLine, which the game's reader refuses: the
  // game stops with an error when it comes to read it. `lines` holds the lines before it,
  // and nothing after it is read. 0 when every line fits.
  std::size_t long_line = 0;
};

// The whole content of a file of the game folder. Throws std::runtime_error with the
// reason when the file cannot be opened or read.
std::string ReadFileBytes(FileSystem& files, const std::string& path);

// Reads a text file with the game's LineReader, each line with its raw bytes, up to a
// line the reader refuses as too long.
// Throws std::runtime_error with the reason when the file cannot be opened or read.
TextFile ReadTextFile(FileSystem& files, const GameFile& file);

}  // namespace velune
