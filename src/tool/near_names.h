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
// `text` with the full-width forms of ASCII (Ａ, ｂ, １, ＋, …) as ASCII.
std::string AsciiForms(std::string_view text);

std::optional<std::string> NearestName(std::string_view name,
                                       const std::vector<std::string>& names);

// For a message about a name that finds nothing: " (did you mean "…"?)" when a name of
// `names` is near it, and a word on blanks around it, which are part of the name.
std::string NameHint(const std::string& name, const std::vector<std::string>& names);

}  // namespace velune
