#pragma once

#include <optional>
#include <string_view>

namespace velune {

// What a scene line does. The kinds are tried in this order and the first that fits
// wins; a keyword counts only where its first occurrence starts at the line's second
// character or later.
enum class LineKind {
  kIgnored,    // "hantei"
  kPicture,    // "img": >img>NAME
  kEnding,     // "ending"
  kRestart,    // "end"
  kJump,       // "ive": >ive>NAME
  kPrompt,     // first character ">": a gift block
  kPageBreak,  // "p"
  kText,
};

LineKind ClassifyLine(std::string_view line);

// The keyword whose test decides `kind` ("hantei", "img", ...), or empty for a prompt or
// text line.
std::string_view KeywordOf(LineKind kind);

// True when the first occurrence of `keyword` in `line` starts at its second character or
// later. Keywords are ASCII, so a byte search in UTF-8 finds characters, and only the
// first character of a line starts at byte 0.
bool KeywordAtSecondOrLater(std::string_view line, std::string_view keyword);

// The name on a picture or jump line: the line from its sixth character on. Nothing when
// the line is shorter than five characters.
std::optional<std::string_view> NameOnCommandLine(std::string_view line);

// The item that a prompt line asks for: the line without its first character.
std::string_view PromptItem(std::string_view line);

}  // namespace velune
