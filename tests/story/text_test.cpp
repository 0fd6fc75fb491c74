#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "memory_files.h"
#include "story/line_reader.h"
#include "story/text_decoding.h"

namespace velune {
namespace {

// Every single byte and every lead and trail byte pair, against Windows' own table.
TEST(Cp932Decoding, EveryByteAndPairDecodesAsWindowsDecodesIt) {
  std::ifstream reference(VELUNE_CP932_REFERENCE, std::ios::binary);
  const auto next = [&] {
    std::string s(static_cast<std::size_t>(std::max(reference.get(), 0)), '\0');
    reference.read(s.data(), static_cast<std::streamsize>(s.size()));
    return s;
  };
  LineDecoder decoder(LineDecoder::Encoding::kCp932);
  int checked = 0;
  for (std::string bytes = next(); !bytes.empty(); bytes = next(), ++checked) {
    EXPECT_EQ(decoder.Decode(bytes), next()) << "bytes " << ::testing::PrintToString(bytes);
  }
  EXPECT_EQ(checked, 256 + 60 * 188);
}

TEST(Cp932Decoding, CharactersAreCutAsWindowsCutsThem) {
  const std::pair<std::string, std::string> cases[] = {
      {"\x95\x5c", "表"},          // a backslash as second byte is no folder separator
      {"\x85\x65nd", "\uFFFDnd"},  // an unassigned pair hides its "e": no restart
      {"\x81 ", "\uFFFD "},        // a lead byte nothing trails: the next byte afresh
      {"\x81\x0d", "\uFFFD\r"},
      {"\x81\x7f", "\uFFFD\x7f"},
      {"\x81\xfd", "\uFFFD\uF8F1"},
      {"a\x89", "a\uFFFD"},  // a lead byte at the line's end
      {"\xa0\x80\xb1", "\uF8F0\u0080\uFF71"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(DecodeCp932(bytes), text) << ::testing::PrintToString(bytes);
  }
}

TEST(Utf8Text, EachIllFormedPartBecomesOneReplacement) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\xC3\xA9z\xF0\x9F\x98\x80", "a\xC3\xA9z\xF0\x9F\x98\x80"},
      {"a\xC3z", "a\uFFFDz"},
      {"\xE3\x81ive>abc", "\uFFFDive>abc"},  // a jump line still names "abc"
      {"\xF0\x9F\x98x", "\uFFFDx"},
      {"\xE3\x81\xE3\x81\x82", "\uFFFDあ"},
      {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},                      // a surrogate half
      {"\xE0\x9F\xBF\xC0\xAF", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong forms
      {"\xF4\x90\x80\xF5\xFF", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xF4\x8F\xBF\xBF\xEF\xBF\xBD", "\xF4\x8F\xBF\xBF\uFFFD"},
      {"\x80\xBF", "\uFFFD\uFFFD"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(SanitizeUtf8(bytes), text) << ::testing::PrintToString(bytes);
  }
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

// Where lines end and how they are decoded is checked against a plain reading of the bytes
// by the scene_lines fuzz target, over its seeds in every suite run.

using Lines = std::vector<std::string>;

// Endless bytes without a line end, counting what the reader takes.
struct Endless : ByteSource {
  explicit Endless(std::size_t* taken) : taken_(taken) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    std::memset(buffer, 'x', size);
    *taken_ += size;
    return size;
  }
  std::size_t* taken_;
};

TEST(LineReader, TakesTheLongestLineAndRefusesOneByteMore) {
  const std::string longest(kLongestLine, 'x');
  EXPECT_EQ(ReadAll("a\r\n" + longest + "\r\nb", 70000), (Lines{"a", longest, "b"}));
  testing::MemoryFiles files;
  files.Add("f", "a\r\nb\r\n" + longest + "x\r\nc");
  LineReader reader(files.OpenRead("f"));
  reader.ReadLine();
  reader.ReadLine();
  try {
    reader.ReadLine();
    ADD_FAILURE() << "an over-long line was read";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "line 3 is longer than 1048576 bytes, too long for a story line");
  }
  // A file without line ends is read no further than the longest line and a buffer.
  std::size_t taken = 0;
  EXPECT_THROW(LineReader(std::make_unique<Endless>(&taken)).ReadLine(), std::runtime_error);
  EXPECT_LE(taken, kLongestLine + 2 * 64 * 1024);
}

}  // namespace
}  // namespace velune
