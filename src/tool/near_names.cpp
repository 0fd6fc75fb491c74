#include "tool/near_names.h"

#include <algorithm>
#include <cstddef>
#include <numeric>

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

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

// The name as the author may have meant it: no blanks, letters in lower case, full-width
// letters and digits as ASCII, half-width katakana as full-width with their sound marks.
std::u32string Folded(std::string_view name) {
  std::u32string folded;
  for (char32_t c : CodePoints(name)) {
    if (IsBlank(c)) continue;
    if (c >= U'\uFF01' && c <= U'\uFF5E') c -= 0xFEE0;  // full-width ASCII
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
    if (c >= U'\uFF66' && c <= U'\uFF9D') c = kFullWidthKana[c - U'\uFF66'];
    const bool voiced = c == U'\uFF9E';
    const bool semi_voiced = c == U'\uFF9F';
    if ((voiced || semi_voiced) && !folded.empty()) {
      const char32_t base = folded.back();
      const bool ka_to = base >= U'カ' && base <= U'ト' && (base - U'カ') % 2 == 0;
      const bool ha_ho = base >= U'ハ' && base <= U'ホ' && (base - U'ハ') % 3 == 0;
      if (voiced && (ka_to || ha_ho)) folded.back() = base + 1;
      if (semi_voiced && ha_ho) folded.back() = base + 2;
      if ((voiced && (ka_to || ha_ho)) || (semi_voiced && ha_ho)) continue;
    }
    folded += c;
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

}  // namespace velune
