#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "story/line_kind.h"

namespace velune {

// What a scene line looks written as, by the custom of the scene format: a command is a
// marker character (an ASCII sign such as ">", "-" or "#") followed at once by its
// keyword (">img>town", ">ending", "-p"); a line that starts with ">" and is no such
// command is a gift prompt; anything else is story text. Comments may put signs and
// blanks between the marker and "hantei" ("// hantei …"). The game does not care how a
// line looks (ClassifyLine decides); the checker compares the two to find lines that
// the game reads differently from how they look.
LineKind LooksLike(std::string_view line);

// The character position (1 for the first) where `keyword` first occurs in `line`, or
// nothing when it does not occur.
std::optional<std::size_t> KeywordCharacter(std::string_view line, std::string_view keyword);

// The run of ASCII letters around the first occurrence of `keyword` ("weekend" for "end"
// in "See you next weekend"), or empty when the keyword is not inside a longer word.
std::string_view WordAroundKeyword(std::string_view line, std::string_view keyword);

// Where the keyword of `kind` first occurs in `line`, for a report:
// "\"end\" (in \"weekend\") at character 17".
std::string KeywordPlace(std::string_view line, LineKind kind);

}  // namespace velune
