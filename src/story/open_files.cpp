#include "story/open_files.h"

#include <exception>

#include "story/game_error.h"
#include "story/text_decoding.h"

namespace velune {

std::int16_t OpenFiles::FreeFile() const {
  std::int16_t number = 1;
  while (open_.count(number) != 0) ++number;
  return number;
}

void OpenFiles::Open(std::int16_t number, const GameFile& file) {
  if (IsOpen(number)) {
    throw GameError("cannot open " + Shortened(file.display, kLongestQuote) + ": file number " +
                    std::to_string(number) + " is already in use");
  }
  try {
    open_.try_emplace(number, file.display, files_.OpenRead(file.path));
  } catch (const std::runtime_error& e) {
    throw GameError("cannot open " + Shortened(file.display, kLongestQuote) + ": " + e.what());
  }
}

OpenFiles::Entry& OpenFiles::Get(std::int16_t number) {
  const auto it = open_.find(number);
  if (it == open_.end()) throw GameError("file number " + std::to_string(number) + " is not open");
  return it->second;
}

std::string OpenFiles::ReadLine(std::int16_t number) {
  Entry& entry = Get(number);
  try {
    if (auto line = entry.reader.ReadLine()) return std::move(*line);
  } catch (const GameError&) {
    throw;
  } catch (const std::runtime_error& e) {
    throw GameError("cannot read " + entry.display + ": " + e.what());
  }
  const std::size_t lines = entry.reader.LinesRead();
  throw ReadPastEnd(
      entry.display + ": the file ends " +
      (lines == 0 ? std::string("before its first line") : "after line " + std::to_string(lines)) +
      ", but the game reads on");
}

bool OpenFiles::AtEnd(std::int16_t number) {
  Entry& entry = Get(number);
  try {
    return entry.reader.AtEnd();
  } catch (const std::runtime_error& e) {
    throw GameError("cannot read " + entry.display + ": " + e.what());
  }
}

void OpenFiles::Close(std::int16_t number) {
  if (open_.erase(number) == 0) {
    throw GameError("file number " + std::to_string(number) + " is not open");
  }
}

std::size_t OpenFiles::LinesRead(std::int16_t number) const {
  const auto it = open_.find(number);
  return it == open_.end() ? 0 : it->second.reader.LinesRead();
}

std::string OpenFiles::Display(std::int16_t number) const {
  const auto it = open_.find(number);
  return it == open_.end() ? std::string() : it->second.display;
}

}  // namespace velune
