#include <gtest/gtest.h>

#include "memory_files.h"
#include "story/line_reader.h"
#include "story/text_decoding.h"

namespace velune {
namespace {

TEST(Cp932Decoding, WindowsCharactersDecodeAsWindowsWrites) {
  EXPECT_EQ(DecodeCp932("\x81\x60"), "\uFF5E");  // ～ is the full-width tilde
  EXPECT_EQ(DecodeCp932("\x87\x40"), "\u2460");  // ①, missing from plain Shift-JIS
  EXPECT_EQ(DecodeCp932("\x89\xd4"), "花");
  EXPECT_EQ(DecodeCp932("\xb1"), "\uFF71");  // half-width katakana
  EXPECT_EQ(DecodeCp932("abc>img>x"), "abc>img>x");
  // 表 has a backslash as its second byte: it is one character, not a folder separator.
  EXPECT_EQ(DecodeCp932("\x95\x5c"), "表");
}

TEST(Cp932Decoding, BytesThatCannotBeDecodedBecomeReplacementCharacters) {
  // A lead byte whose next byte cannot follow it: the next byte is read afresh.
  EXPECT_EQ(DecodeCp932("\x81 "), "\uFFFD ");
  EXPECT_EQ(DecodeCp932("\x81\x0d"), "\uFFFD\r");
  // A lead byte at the very end.
  EXPECT_EQ(DecodeCp932("a\x89"), "a\uFFFD");
  // Bytes that are never a character of their own.
  EXPECT_EQ(CharacterCount(DecodeCp932("\xff\xff")), 2u);
}

TEST(Utf8Text, InvalidBytesAreReplacedAndCharactersCounted) {
  EXPECT_EQ(SanitizeUtf8("a\xC3\xA9z"), "a\xC3\xA9z");
  EXPECT_EQ(SanitizeUtf8("a\xC3z"), "a\uFFFDz");
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");  // a surrogate half
  EXPECT_EQ(CharacterCount(">img>花火"), 7u);
  EXPECT_EQ(DropCharacters(">img>花火", 5), "花火");
  EXPECT_EQ(DropCharacters("花", 5), "");
}

std::vector<std::string> ReadAll(const std::string& bytes, std::size_t chunk = 1 << 20) {
  testing::MemoryFiles files;
  files.chunk = chunk;
  files.Add("f", bytes);
  LineReader reader(files.OpenRead("f"));
  std::vector<std::string> lines;
  while (!reader.AtEnd()) lines.push_back(*reader.ReadLine());
  EXPECT_FALSE(reader.ReadLine().has_value());
  EXPECT_EQ(reader.LinesRead(), lines.size());
  return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, EveryKindOfLineEndEndsALine) {
  EXPECT_EQ(ReadAll("a\r\nb\r\n"), (Lines{"a", "b"}));  // no extra empty line at the end
  EXPECT_EQ(ReadAll("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadAll("a\nb\rc\r\n\r\nd"), (Lines{"a", "b", "c", "", "d"}));
  EXPECT_EQ(ReadAll("\r\n"), (Lines{""}));
  EXPECT_EQ(ReadAll("a\r\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(ReadAll(""), Lines{});
}

TEST(LineReader, LineEndsSplitAcrossReadsStayOneLineEnd) {
  const std::string text = "ab\r\ncd\r\n\r\nef\rg\n";
  for (std::size_t chunk = 1; chunk <= 4; ++chunk) {
    EXPECT_EQ(ReadAll(text, chunk), (Lines{"ab", "cd", "", "ef", "g"})) << "chunk " << chunk;
  }
  const std::string long_line(200000, 'x');
  EXPECT_EQ(ReadAll(long_line + "\r\nz", 70000), (Lines{long_line, "z"}));
}

TEST(LineReader, DecodesEachLineAndHonoursTheUtf8Mark) {
  EXPECT_EQ(ReadAll("\x89\xd4\r\n>\x89\xd4\r\n"), (Lines{"花", ">花"}));
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF花\r\n>img>x"), (Lines{"花", ">img>x"}));
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF"), Lines{});  // only the mark: no line
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF", 1), Lines{});
  EXPECT_EQ(ReadAll("\xEF\xBB"), (Lines{"\uFFFD\uFF7B"}));  // not a whole mark: code page 932
}

}  // namespace
}  // namespace velune
