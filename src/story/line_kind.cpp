#include "story/line_kind.h"

#include <array>
#include <utility>

#include "story/text_decoding.h"

namespace velune {
namespace {

constexpr std::size_t kCommandLength = 5;  // ">img>" and ">ive>"

constexpr std::array<std::pair<std::string_view, LineKind>, 5> kKeywordsBeforePrompt{{
    {"hantei", LineKind::kIgnored},
    {"img", LineKind::kPicture},
    {"ending", LineKind::kEnding},
    {"end", LineKind::kRestart},
    {"ive", LineKind::kJump},
}};

}  // namespace

bool KeywordAtSecondOrLater(std::string_view line, std::string_view keyword) {
  const std::size_t at = line.find(keyword);
  return at != std::string_view::npos && at > 0;
}

LineKind ClassifyLine(std::string_view line) {
  for (const auto& [keyword, kind] : kKeywordsBeforePrompt) {
    if (KeywordAtSecondOrLater(line, keyword)) return kind;
  }
  if (!line.empty() && line.front() == '>') return LineKind::kPrompt;
  if (KeywordAtSecondOrLater(line, "p")) return LineKind::kPageBreak;
  return LineKind::kText;
}

std::string_view KeywordOf(LineKind kind) {
  for (const auto& [keyword, k] : kKeywordsBeforePrompt) {
    if (k == kind) return keyword;
  }
  return kind == LineKind::kPageBreak ? "p" : "";
}

std::optional<std::string_view> NameOnCommandLine(std::string_view line) {
  if (CharacterCount(line) < kCommandLength) return std::nullopt;
  return DropCharacters(line, kCommandLength);
}

std::string_view PromptItem(std::string_view line) { return DropCharacters(line, 1); }

}  // namespace velune
