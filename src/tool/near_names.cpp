#include "tool/near_names.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

#include "story/ascii.h"
#include "story/text_decoding.h"
#include "story/translation.h"

namespace velune {
namespace {

std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    out += c;
    i += length;
  }
  return out;
}

// Half-width katakana from ｦ (U+FF66) to ﾝ (U+FF9D), as full-width katakana.
constexpr std::u32string_view kFullWidthKana =
    U"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
    U"ヤユヨラリルレロワン";
// The katakana that take the voiced mark ゛ (the next code point: カ ガ), and those of
// them that take the semi-voiced mark ゜ (the one after: ハ パ).
constexpr std::u32string_view kVoiceable = U"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u32string_view kSemiVoiceable = U"ハヒフヘホ";

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

// The name as the author may have meant it: no blanks, letters in lower case, full-width
// letters and digits as ASCII, half-width katakana as full-width with their sound marks.
std::u32string Folded(std::string_view name) {
  std::u32string folded;
  for (char32_t c : CodePoints(AsciiForms(name))) {
    if (IsBlank(c)) continue;
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
    if (c >= U'\uFF66' && c <= U'\uFF9D') c = kFullWidthKana[c - U'\uFF66'];
    const char32_t base = folded.empty() ? 0 : folded.back();
    if (c == U'\uFF9E' && kVoiceable.find(base) != std::u32string_view::npos) {
      folded.back() = base + 1;
    } else if (c == U'\uFF9F' && kSemiVoiceable.find(base) != std::u32string_view::npos) {
      folded.back() = base + 2;
    } else {
      folded += c;
    }
  }
  return folded;
}

std::u32string WithoutDigits(std::u32string s) {
  std::erase_if(s, [](char32_t c) { return c >= U'0' && c <= U'9'; });
  return s;
}

std::size_t EditDistance(const std::u32string& a, const std::u32string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string AsciiForms(std::string_view text) {
  // U+FF01 to U+FF5E in UTF-8: EF BC 81 to EF BC BF, then EF BD 80 to EF BD 9E.
  std::string ascii;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto third = static_cast<unsigned char>(i + 2 < text.size() ? text[i + 2] : 0);
    const std::string_view lead = text.substr(i, 2);
    if (lead == "\xEF\xBC" && third >= 0x81 && third <= 0xBF) {
      ascii += static_cast<char>(third - 0x81 + '!');
    } else if (lead == "\xEF\xBD" && third >= 0x80 && third <= 0x9E) {
      ascii += static_cast<char>(third - 0x80 + '`');
    } else {
      ascii += text[i];
      continue;
    }
    i += 2;
  }
  return ascii;
}

std::optional<std::string> NearestName(std::string_view name,
                                       const std::vector<std::string>& names) {
  const std::u32string wanted = Folded(name);
  // Short names, and names that differ only in their numbers, differ on purpose: "10" and
  // "20", "end1" and "end3" are other scenes.
  // A kanji or kana says as much as two letters: "指環" for "指輪" is a typo.
  const std::size_t width =
      std::accumulate(wanted.begin(), wanted.end(), std::size_t{0},
                      [](std::size_t w, char32_t c) { return w + (c < 0x80 ? 1 : 2); });
  const std::size_t typos = width <= 3 ? 0 : width <= 5 ? 1 : 2;
  std::optional<std::string> nearest;
  std::size_t best = typos + 1;
  for (const std::string& candidate : names) {
    if (candidate == name) continue;
    const std::u32string folded = Folded(candidate);
    const std::size_t distance = EditDistance(wanted, folded);
    if (distance < best && (distance == 0 || WithoutDigits(wanted) != WithoutDigits(folded))) {
      best = distance;
      nearest = candidate;
    }
  }
  return nearest;
}

std::string NameHint(const std::string& name, const std::vector<std::string>& names) {
  const std::string_view trimmed = TrimmedBlanks(name);
  const auto nearest = NearestName(name, names);
  if (trimmed.size() != name.size() && !trimmed.empty()) {
    return " " + (nearest == trimmed
                      ? Tr("check", "(the name %1 has blanks around it; did you mean %2?)")
                            .Arg(Quoted(name))
                            .Arg(Quoted(trimmed))
                      : Tr("check", "(the name %1 has blanks around it)").Arg(Quoted(name)))
                     .Text();
  }
  return nearest ? " " + Tr("check", "(did you mean %1?)").Arg(Quoted(*nearest)).Text() : "";
}

}  // namespace velune
