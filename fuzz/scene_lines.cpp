// Story text files: lines, decoding from code page 932 or UTF-8, and character counting.
#include "fuzz_input.h"
#include "story/line_reader.h"
#include "story/memory_files.h"
#include "story/text_decoding.h"

// The lines split the plain way: CR LF, LF or CR ends one, none follows the last line end,
// and a UTF-8 byte-order mark means UTF-8.
static std::vector<std::string> PlainLines(std::string_view bytes) {
  static velune::LineDecoder cp932(velune::LineDecoder::Encoding::kCp932);
  const bool utf8 = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (utf8) bytes.remove_prefix(3);
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string raw(bytes.substr(0, end));
    lines.push_back(utf8 ? velune::SanitizeUtf8(raw) : cp932.Decode(raw));
    bytes.remove_prefix(std::min(bytes.size(), end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1)));
  }
  return lines;
}

static void CheckCharacters(std::string_view line) {
  FUZZ_CHECK(velune::SanitizeUtf8(line) == line);  // always valid UTF-8
  FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
  const std::size_t count = velune::CharacterCount(line);
  FUZZ_CHECK(count <= line.size());
  FUZZ_CHECK(velune::DropCharacters(line, count).empty());
  FUZZ_CHECK(velune::DropCharacters(line, count + 1).empty());
  for (std::size_t k = 0; k <= count && k < 8; ++k) {
    const std::string_view rest = velune::DropCharacters(line, k);
    FUZZ_CHECK(line.substr(line.size() - rest.size()) == rest);
    FUZZ_CHECK(velune::CharacterCount(rest) == count - k);
  }
}

// The bytes come a few at a time, so that line ends fall across the reader's refills.
static void Fuzz(velune::fuzz::FuzzInput& in) {
  static constexpr std::size_t kSteps[] = {1, 2, 3, 5, 64, 4096, 1 << 20};
  velune::testing::MemoryFiles files;
  files.chunk = kSteps[in.Byte() % std::size(kSteps)];
  const std::string bytes = in.Rest();
  files.Add("f", bytes);
  velune::LineReader reader(files.OpenRead("f"));
  std::vector<std::string> lines;
  try {
    while (!reader.AtEnd()) {
      auto line = reader.ReadLine();
      FUZZ_CHECK(line.has_value());
      CheckCharacters(*line);
      lines.push_back(std::move(*line));
      FUZZ_CHECK(reader.LinesRead() == lines.size());
    }
  } catch (const std::runtime_error&) {
    FUZZ_CHECK(bytes.size() > velune::kLongestLine);  // only an over-long line is refused
    return;
  }
  FUZZ_CHECK(!reader.ReadLine().has_value());
  FUZZ_CHECK(lines == PlainLines(bytes));
}
