// How the tools read a story: raw and decoded lines, and the report formats. How they read
// each kind of line is shown by the checker's gallery.
#include <gtest/gtest.h>

#include <sstream>

#include "story/line_reader.h"
#include "story_folder.h"
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

TEST(Findings, SortedByFileAndLineWithASummary) {
  Findings findings;
  findings.Warning("w", "dat/10.dat", 7, "b");
  findings.Error("e", "dat/10.dat", 2, "a");
  findings.Note("n", "dat/00.dat", 0, "c");
  findings.Error("e", "dat/10.dat", 7, "d");
  std::ostringstream text;
  WriteFindingsText(text, findings, "my story/");
  EXPECT_EQ(text.str(),
            "my story/dat/00.dat: note: c [n]\n"
            "my story/dat/10.dat:2: error: a [e]\n"
            "my story/dat/10.dat:7: warning: b [w]\n"
            "my story/dat/10.dat:7: error: d [e]\n"
            "2 errors, 1 warning, 1 note\n");

  std::ostringstream json;
  WriteFindingsJson(json, findings, "s");
  EXPECT_EQ(json.str().substr(0, json.str().find('\n')),
            R"({"file":"s/dat/00.dat","line":null,"severity":"note","id":"n","message":"c"})");
  EXPECT_NE(json.str().find(R"({"errors":2,"warnings":1,"notes":1})"), std::string::npos);
}

}  // namespace
}  // namespace velune
