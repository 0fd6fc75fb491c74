#include "story/open_files.h"

#include <exception>

#include "story/game_error.h"
#include "story/text_decoding.h"
#include "story/translation.h"

namespace velune {

std::int16_t OpenFiles::FreeFile() const {
  std::int16_t number = 1;
  while (open_.count(number) != 0) ++number;
  return number;
}

void OpenFiles::Open(std::int16_t number, const GameFile& file) {
  if (IsOpen(number)) {
    throw GameError(Tr("game", "cannot open %1: file number %2 is already in use")
                        .Arg(Shortened(file.display, kLongestQuote))
                        .Arg(number));
  }
  try {
    open_.try_emplace(number, file.display, files_.OpenRead(file.path));
  } catch (const std::runtime_error& e) {
    throw GameError(
        Tr("game", "cannot open %1: %2").Arg(Shortened(file.display, kLongestQuote)).Arg(e.what()));
  }
}

OpenFiles::Entry& OpenFiles::Get(std::int16_t number) {
  const auto it = open_.find(number);
  if (it == open_.end()) throw GameError(Tr("game", "file number %1 is not open").Arg(number));
  return it->second;
}

std::string OpenFiles::ReadLine(std::int16_t number) {
  Entry& entry = Get(number);
  try {
    if (auto line = entry.reader.ReadLine()) return std::move(*line);
  } catch (const GameError&) {
    throw;
  } catch (const std::runtime_error& e) {
    throw GameError(Tr("game", "cannot read %1: %2").Arg(entry.display).Arg(e.what()));
  }
  const std::size_t lines = entry.reader.LinesRead();
  throw ReadPastEnd(lines == 0
                        ? Tr("game",
                             "%1: the file ends before its first line, but the "
                             "game reads on")
                              .Arg(entry.display)
                        : Tr("game", "%1: the file ends after line %2, but the game reads on")
                              .Arg(entry.display)
                              .Arg(lines));
}

bool OpenFiles::AtEnd(std::int16_t number) {
  Entry& entry = Get(number);
  try {
    return entry.reader.AtEnd();
  } catch (const std::runtime_error& e) {
    throw GameError(Tr("game", "cannot read %1: %2").Arg(entry.display).Arg(e.what()));
  }
}

void OpenFiles::Close(std::int16_t number) {
  if (open_.erase(number) == 0) {
    throw GameError(Tr("game", "file number %1 is not open").Arg(number));
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
