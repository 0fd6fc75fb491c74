#include "tool/lsp_positions.h"

namespace velune {
namespace {

// The bytes of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace

std::size_t ByteOfCharacter(std::string_view line, std::size_t character, PositionUnits units) {
  if (units == PositionUnits::kUtf8) {
    std::size_t byte = character < line.size() ? character : line.size();
    while (byte > 0 && byte < line.size() &&
           (static_cast<unsigned char>(line[byte]) & 0xC0) == 0x80) {
      --byte;
    }
    return byte;
  }
  std::size_t byte = 0;
  for (std::size_t counted = 0; byte < line.size();) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(line[byte]));
    const std::size_t width = length == 4 ? 2 : 1;  // a surrogate pair beyond the BMP
    if (counted + width > character) break;
    counted += width;
    byte += length;
  }
  return byte < line.size() ? byte : line.size();
}

std::size_t CharacterOfByte(std::string_view line, std::size_t byte, PositionUnits units) {
  if (byte > line.size()) byte = line.size();
  if (units == PositionUnits::kUtf8) return byte;
  std::size_t counted = 0;
  for (std::size_t at = 0; at < byte;) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(line[at]));
    counted += length == 4 ? 2 : 1;
    at += length;
  }
  return counted;
}

}  // namespace velune
