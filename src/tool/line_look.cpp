#include "tool/line_look.h"

#include <array>

#include "story/text_decoding.h"
#include "story/translation.h"

namespace velune {
namespace {

bool IsAsciiSign(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b > 0x20 && b < 0x7F && !(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'z') &&
         !(c >= 'A' && c <= 'Z');
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The commands in the game's order of tests, with "ending" before "end".
constexpr std::array<LineKind, 6> kCommands{LineKind::kIgnored, LineKind::kPicture,
                                            LineKind::kEnding,  LineKind::kRestart,
                                            LineKind::kJump,    LineKind::kPageBreak};

}  // namespace

LineKind LooksLike(std::string_view line) {
  if (line.empty() || !IsAsciiSign(line.front())) return LineKind::kText;
  const std::string_view rest = line.substr(1);
  for (const LineKind kind : kCommands) {
    if (rest.substr(0, KeywordOf(kind).size()) != KeywordOf(kind)) continue;
    // ">p" and ">pen" are written as gift prompts; a page break is written "-p".
    if (kind == LineKind::kPageBreak && line.front() == '>') break;
    return kind;
  }
  std::size_t after_signs = 1;
  while (after_signs < line.size() && (IsAsciiSign(line[after_signs]) || line[after_signs] == ' ' ||
                                       line[after_signs] == '\t')) {
    ++after_signs;
  }
  const std::string_view ignored = KeywordOf(LineKind::kIgnored);
  if (line.substr(after_signs, ignored.size()) == ignored) return LineKind::kIgnored;
  return line.front() == '>' ? LineKind::kPrompt : LineKind::kText;
}

std::optional<std::size_t> KeywordCharacter(std::string_view line, std::string_view keyword) {
  const std::size_t at = line.find(keyword);
  if (at == std::string_view::npos) return std::nullopt;
  return CharacterCount(line.substr(0, at)) + 1;
}

std::string_view WordAroundKeyword(std::string_view line, std::string_view keyword) {
  const std::size_t at = line.find(keyword);
  if (at == std::string_view::npos) return {};
  std::size_t begin = at;
  while (begin > 0 && IsAsciiLetter(line[begin - 1])) --begin;
  std::size_t end = at + keyword.size();
  while (end < line.size() && IsAsciiLetter(line[end])) ++end;
  if (begin == at && end == at + keyword.size()) return {};
  return line.substr(begin, end - begin);
}

std::string KeywordPlace(std::string_view line, LineKind kind) {
  const std::string_view keyword = KeywordOf(kind);
  const std::string_view word = WordAroundKeyword(line, keyword);
  const auto at = KeywordCharacter(line, keyword);
  if (!at) {
    if (word.empty()) return "\"" + std::string(keyword) + "\"";
    return Tr("check", "\"%1\" (in \"%2\")").Arg(keyword).Arg(word);
  }
  if (word.empty()) return Tr("check", "\"%1\" at character %2").Arg(keyword).Arg(*at);
  return Tr("check", "\"%1\" (in \"%2\") at character %3").Arg(keyword).Arg(word).Arg(*at);
}

}  // namespace velune
