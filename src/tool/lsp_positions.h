#pragma once

#include <cstddef>
#include <string_view>

namespace velune {

// How an editor counts the characters of a line: UTF-16 code units, as the Language
// Server Protocol does unless both sides agree on bytes of UTF-8.
enum class PositionUnits { kUtf16, kUtf8 };

// The byte of the UTF-8 `line` at `character` units from its start; the line's end for a
// position past it, the character's start for one inside it.
std::size_t ByteOfCharacter(std::string_view line, std::size_t character, PositionUnits units);

// The units from the start of `line` to its byte `byte`.
std::size_t CharacterOfByte(std::string_view line, std::size_t byte, PositionUnits units);

}  // namespace velune
