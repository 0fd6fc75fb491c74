// Scene lines: which kind a line is, and the names that picture, jump and prompt lines
// carry, checked against the rules written out character by character.

#include "story/line_kind.h"
#include "fuzz_input.h"
#include "story/text_decoding.h"

using velune::LineKind;

// The line as characters, each one the UTF-8 bytes of one code point.
static std::vector<std::string> Characters(std::string_view utf8) {
  std::vector<std::string> out;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 || out.empty()) out.emplace_back();
    out.back() += c;
  }
  return out;
}

static LineKind KindByTheRules(const std::vector<std::string>& line) {
  const auto at2 = [&](std::string_view keyword) {  // first found at the second or later
    const auto key = Characters(keyword);
    const auto at = std::search(line.begin(), line.end(), key.begin(), key.end());
    return at != line.end() && at != line.begin();
  };
  if (at2("hantei")) return LineKind::kIgnored;
  if (at2("img")) return LineKind::kPicture;
  if (at2("ending")) return LineKind::kEnding;
  if (at2("end")) return LineKind::kRestart;
  if (at2("ive")) return LineKind::kJump;
  if (!line.empty() && line[0] == ">") return LineKind::kPrompt;
  if (at2("p")) return LineKind::kPageBreak;
  return LineKind::kText;
}

static std::string From(const std::vector<std::string>& line, std::size_t first) {
  return first < line.size() ? std::accumulate(line.begin() + first, line.end(), std::string())
                             : "";
}

static void Fuzz(velune::fuzz::FuzzInput& in) {
  // The reader hands on valid UTF-8 only.
  const std::string line = velune::SanitizeUtf8(in.Rest());
  const std::vector<std::string> characters = Characters(line);

  const LineKind kind = velune::ClassifyLine(line);
  FUZZ_CHECK(kind == KindByTheRules(characters));
  const std::string_view keyword = velune::KeywordOf(kind);
  if (!keyword.empty()) FUZZ_CHECK(velune::KeywordAtSecondOrLater(line, keyword));

  const auto name = velune::NameOnCommandLine(line);
  FUZZ_CHECK(name.has_value() == (characters.size() >= 5));
  if (name) FUZZ_CHECK(*name == From(characters, 5));
  FUZZ_CHECK(velune::PromptItem(line) == From(characters, 1));
}
