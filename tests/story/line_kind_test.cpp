#include <gtest/gtest.h>

#include <vector>

#include "story/line_kind.h"

namespace velune {
namespace {

// The tests run in a fixed order and the first that fits wins: pictures before "end", a
// jump to an ending restarts, prompts before page breaks; a keyword at the line's first
// character does not count, the first occurrence decides, and matching is case-sensitive
// (full-width letters are other characters).
TEST(LineKind, TheFirstTestThatFitsWins) {
  using enum LineKind;
  const std::pair<LineKind, std::vector<const char*>> cases[] = {
      {kIgnored, {"#hantei 20", ">img>hantei", "img hantei"}},
      {kPicture, {">img>room1", ">img>legend", "花img"}},
      {kEnding, {">ending", ">ive>ending"}},
      {kRestart, {">end", ">ive>end1", ">friend", "see you next weekend"}},
      {kJump, {">ive>20", ">olive"}},
      {kPrompt, {">花", ">pen", ">ring", ">"}},
      {kPageBreak, {"-p", "-pp"}},
      {kText,
       {"p", "pp", "", "雨が降っていた。", "end of the line", "endend", "imgx", "End", "ｅｎｄ",
        "Ｐ"}},
  };
  for (const auto& [kind, lines] : cases) {
    for (const char* line : lines) EXPECT_EQ(ClassifyLine(line), kind) << line;
  }
}

TEST(LineKind, NamesStartAtTheSixthCharacter) {
  EXPECT_EQ(NameOnCommandLine(">img>room1"), "room1");
  EXPECT_EQ(NameOnCommandLine(">img>"), "");
  EXPECT_EQ(NameOnCommandLine("＞ｉｍｇ＞花火"), "花火");  // characters, not bytes
  EXPECT_EQ(NameOnCommandLine(">img"), std::nullopt);
  EXPECT_EQ(NameOnCommandLine("ive"), std::nullopt);
  EXPECT_EQ(PromptItem(">花"), "花");
  EXPECT_EQ(PromptItem(">"), "");
}

}  // namespace
}  // namespace velune
