#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "story/line_kind.h"

namespace velune {

// How the scene reader leaves a scene file.
enum class SceneExit {
  kJump,          // a jump line opens another scene
  kGift,          // a gift block: the answer picks the next scene
  kEnding,        // an ending line opens end1, end2 or end3 by the love points
  kRestart,       // a restart line starts a new game
  kStandsStill,   // the file ends on a text or page-break line: the game stands still
  kReadsPastEnd,  // the file ends on a picture or ignored line: the game stops with an error
  kEmpty,         // the file has no line: the game stops with an error
  kNameTooShort,  // a picture or jump line of fewer than five characters: an error
  kLineTooLong,   // the reader comes to a line longer than kLongestLine: an error
};

// A name written on a scene line, and the line it is on (1 for the first).
struct NamedScene {
  std::string name;
  std::size_t line = 0;
};

struct GiftBlockLines {
  std::size_t prompt_line = 0;
  std::string item;                     // the wanted item: the prompt line without its ">"
  std::size_t lines_after = 0;          // how many of the three lines after it can be read
  std::string points_text;              // the first line after it
  std::optional<NamedScene> right;      // the second: the scene after the right gift
  std::optional<NamedScene> otherwise;  // the third: after a wrong gift or the time-out
};

struct PictureLine {
  std::size_t line = 0;
  std::string name;  // empty: the present picture is only repainted
};

// A scene file as the scene reader goes through it, line by line from the first, on the
// game's own classifier. The kinds of lines do not depend on the state of the game, so
// one walk tells what every visit to the scene does.
struct SceneWalk {
  // The kind of each line as the reader classifies it; nothing for lines it never
  // classifies (the lines of a gift block after the prompt, lines it never reaches). A line
  // too long to be read has no entry.
  std::vector<std::optional<LineKind>> kinds;
  SceneExit exit = SceneExit::kEmpty;
  std::size_t exit_line = 0;           // the line that leaves the scene or fails; 0 for kEmpty
  std::size_t first_unread = 0;        // the first line after the exit that is never read; 0: none
  std::size_t long_line = 0;           // the line too long to be read, after all others; 0: none
  std::optional<NamedScene> jump;      // kJump
  std::optional<GiftBlockLines> gift;  // kGift
  std::vector<PictureLine> pictures;
  std::optional<std::size_t> first_text_line;  // the first non-empty text line
};

// `long_line_follows`: the file goes on after `lines` with a line longer than kLongestLine,
// which the reader refuses when it comes to it.
SceneWalk WalkScene(const std::vector<std::string>& lines, bool long_line_follows = false);

}  // namespace velune
