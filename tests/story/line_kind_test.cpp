#include <gtest/gtest.h>

#include "story/line_kind.h"

namespace velune {
namespace {

struct KindCase {
  const char* line;
  LineKind kind;
};

TEST(LineKind, TheFirstTestThatFitsWins) {
  const KindCase cases[] = {
      {"#hantei 20", LineKind::kIgnored},
      {">img>room1", LineKind::kPicture},
      {">img>legend", LineKind::kPicture},  // the picture test comes before "end"
      {">img>hantei", LineKind::kIgnored},
      {">ending", LineKind::kEnding},
      {">end", LineKind::kRestart},
      {">ive>20", LineKind::kJump},
      {">ive>end1", LineKind::kRestart},  // a jump to an ending restarts the game
      {">ive>ending", LineKind::kEnding},
      {">花", LineKind::kPrompt},
      {">pen", LineKind::kPrompt},  // the prompt test comes before the page break
      {">ring", LineKind::kPrompt},
      {">friend", LineKind::kRestart},
      {">olive", LineKind::kJump},
      {">", LineKind::kPrompt},
      {"-p", LineKind::kPageBreak},
      {"p", LineKind::kText},   // at the first position a keyword does not count
      {"pp", LineKind::kText},  // the first "p" decides
      {"-pp", LineKind::kPageBreak},
      {"", LineKind::kText},
      {"雨が降っていた。", LineKind::kText},
      {"see you next weekend", LineKind::kRestart},
      {"end of the line", LineKind::kText},  // first "end" at position 1 only
      {"endend", LineKind::kText},           // the first occurrence decides
      {"img hantei", LineKind::kIgnored},
      {"imgx", LineKind::kText},
      {"花img", LineKind::kPicture},
      {"End", LineKind::kText},     // matching is case-sensitive
      {"ｅｎｄ", LineKind::kText},  // full-width letters are other characters
      {"Ｐ", LineKind::kText},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyLine(c.line), c.kind) << c.line;
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
