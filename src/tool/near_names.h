#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velune {

// Of the names that exist, the one an author most likely meant by `name`, which names
// nothing: the same but for blanks, letter case or the width of letters, digits and
// katakana, or else one character off in a name four or five letters wide (a kanji or
// kana is two), two in a wider one, but not where the names differ only in their numbers.
// Nothing when no name is that close.
std::optional<std::string> NearestName(std::string_view name,
                                       const std::vector<std::string>& names);

}  // namespace velune
