// How the tools read a story: raw and decoded lines, how lines look, the walk through a
// scene, files the game cannot read, and the report formats.
#include <gtest/gtest.h>

#include <sstream>

#include "story/line_reader.h"
#include "story_folder.h"
#include "tool/line_look.h"
#include "tool/scene_walk.h"
#include "tool/text_file.h"

namespace velune {
namespace {

TextFile ReadBytes(const std::string& bytes) {
  testing::ScratchFolder folder;
  folder.Bytes("dat/x.dat", bytes);
  DiskFileSystem files;
  return ReadTextFile(files, GameFile{folder.Path() + "/dat/x.dat", "dat/x.dat"});
}

// Lines and their bytes as the game's reader cuts them; a byte-order mark means UTF-8; long
// lines are measured in bytes, and the reading stops at the first the game cannot take.
TEST(TextFile, LinesAndTheirBytesComeFromTheGamesReader) {
  const TextFile text = ReadBytes("a\r\n\x82\xA0\nc\r\x85\x65\r\n");
  ASSERT_EQ(text.lines.size(), 4u);
  EXPECT_FALSE(text.byte_order_mark);
  EXPECT_EQ(text.lines[1].text, "あ");
  EXPECT_EQ(text.lines[1].bytes, "\x82\xA0");
  EXPECT_EQ(text.lines[3].text, "\xEF\xBF\xBD");
  const TextFile utf8 = ReadBytes("\xEF\xBB\xBF\xE3\x81\x82\r\n\xE3\x81\r\n");
  EXPECT_TRUE(utf8.byte_order_mark);
  EXPECT_EQ(utf8.lines[1].bytes, "\xE3\x81");
  std::string wide;
  for (int i = 0; i < 300'000; ++i) wide += "\x82\xA0";
  const TextFile cut = ReadBytes(wide + "\r\nb\r\n" + std::string(kLongestLine + 1, 'x') + "\r\nc");
  EXPECT_EQ(cut.lines.size(), 2u);
  EXPECT_EQ(cut.long_line, 3u);
  EXPECT_EQ(ReadBytes("a\r" + std::string(kLongestLine, 'x')).long_line, 0u);
}

TEST(LineLook, CommandsAreAMarkerAndTheirKeyword) {
  using enum LineKind;
  EXPECT_EQ(LooksLike(">img>town"), kPicture);
  EXPECT_EQ(LooksLike(">ive>10"), kJump);
  EXPECT_EQ(LooksLike(">ending"), kEnding);
  EXPECT_EQ(LooksLike(">end"), kRestart);
  EXPECT_EQ(LooksLike("-p"), kPageBreak);
  for (const char* line : {"#hantei note", "// hantei note"}) EXPECT_EQ(LooksLike(line), kIgnored);
  // ">p" asks for the item "p".
  for (const char* line : {">p", ">pen", ">花"}) EXPECT_EQ(LooksLike(line), kPrompt) << line;
  for (const char* line : {"", "Send it", "あend", "0end", "...weekend"}) {
    EXPECT_EQ(LooksLike(line), kText) << line;
  }
}

TEST(SceneWalk, FollowsTheReader) {
  const SceneWalk walk = WalkScene({">img>a", "text", "-p", ">花", "x", "11", "12", "unread"});
  EXPECT_EQ(walk.exit, SceneExit::kGift);
  EXPECT_EQ(walk.exit_line, 4u);
  EXPECT_EQ(walk.first_unread, 8u);
  ASSERT_TRUE(walk.gift);
  EXPECT_EQ(walk.gift->item, "花");
  EXPECT_EQ(walk.gift->points_text, "x");
  EXPECT_EQ(walk.gift->right->name, "11");
  EXPECT_EQ(walk.gift->otherwise->line, 7u);
  // The lines of the gift block and after it are never classified.
  EXPECT_TRUE(walk.kinds[3]);
  EXPECT_FALSE(walk.kinds[4]);
  EXPECT_FALSE(walk.kinds[7]);
  EXPECT_EQ(walk.pictures.size(), 1u);
  EXPECT_EQ(walk.first_text_line, 2u);

  EXPECT_EQ(WalkScene({">花", "1"}).gift->lines_after, 1u);
  // A line too long is there for the reader until it comes to read it.
  EXPECT_EQ(WalkScene({}, true).exit, SceneExit::kLineTooLong);
  EXPECT_EQ(WalkScene({}, true).exit_line, 1u);
}

TEST(Findings, SortedByFileAndLineWithASummary) {
  Findings findings;
  findings.Warning("dat/10.dat", 7, "b");
  findings.Error("dat/10.dat", 2, "a");
  findings.Note("dat/00.dat", 0, "c");
  findings.Error("dat/10.dat", 7, "d");
  std::ostringstream text;
  WriteFindingsText(text, findings);
  EXPECT_EQ(text.str(),
            "dat/00.dat: note: c\n"
            "dat/10.dat:2: error: a\n"
            "dat/10.dat:7: warning: b\n"
            "dat/10.dat:7: error: d\n"
            "2 errors, 1 warning, 1 note\n");

  std::ostringstream json;
  WriteFindingsJson(json, findings);
  EXPECT_EQ(json.str().substr(0, json.str().find('\n')),
            R"({"file":"dat/00.dat","line":null,"severity":"note","message":"c"})");
  EXPECT_NE(json.str().find(R"({"errors":2,"warnings":1,"notes":1})"), std::string::npos);
}

}  // namespace
}  // namespace velune
