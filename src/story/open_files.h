#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "story/file_system.h"
#include "story/game_folder.h"
#include "story/line_reader.h"

namespace velune {

// The game's open text files, each under a file number as the game's text file layer
// gives them out: a free number is the lowest that no open file uses. Every failure is
// a GameError that names the file (and the line, where one is involved).
class OpenFiles {
 public:
  explicit OpenFiles(FileSystem& files) : files_(files) {}

  std::int16_t FreeFile() const;
  void Open(std::int16_t number, const GameFile& file);
  // The next line; a ReadPastEnd when the file has none left.
  std::string ReadLine(std::int16_t number);
  bool AtEnd(std::int16_t number);
  void Close(std::int16_t number);

  bool IsOpen(std::int16_t number) const { return open_.count(number) != 0; }
  // How many lines of the file have been read; 0 when it is not open.
  std::size_t LinesRead(std::int16_t number) const;
  // The file's path relative to the game folder; empty when it is not open.
  std::string Display(std::int16_t number) const;

 private:
  struct Entry {
    Entry(std::string name, std::unique_ptr<ByteSource> source)
        : display(std::move(name)), reader(std::move(source)) {}
    std::string display;
    LineReader reader;
  };
  Entry& Get(std::int16_t number);

  FileSystem& files_;
  std::map<std::int16_t, Entry> open_;
};

}  // namespace velune
