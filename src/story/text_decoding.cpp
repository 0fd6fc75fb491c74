#include "story/text_decoding.h"

#include "story/cp932.h"

namespace velune {
namespace {

// The sequence at the start of `s`: a well-formed character, or the longest start of
// one (at least one byte), which stands for one U+FFFD as the Unicode Standard advises.
struct Utf8Sequence {
  std::size_t length;
  bool well_formed;
};

Utf8Sequence NextUtf8Sequence(std::string_view s) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = b(0);
  if (lead < 0x80) return {1, true};
  // The length of the character that the lead byte starts, and the range of its second
  // byte, which rules out overlong forms, surrogates and code points beyond U+10FFFF.
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, false};
  }
  std::size_t i = 1;
  for (; i < length && i < s.size(); ++i) {
    const bool fits = i == 1 ? b(i) >= low && b(i) <= high : (b(i) & 0xC0) == 0x80;
    if (!fits) break;
  }
  return {i, i == length};
}

bool IsAscii(std::string_view s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

LineDecoder::LineDecoder(Encoding encoding) : encoding_(encoding) {
  if (encoding_ == Encoding::kCp932) cp932_ = std::make_unique<Cp932Converter>();
}

LineDecoder::~LineDecoder() = default;

std::string LineDecoder::Decode(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  if (encoding_ == Encoding::kUtf8) return SanitizeUtf8(bytes);
  return cp932_->Convert(bytes);
}

std::string DecodeCp932(std::string_view bytes) {
  return LineDecoder(LineDecoder::Encoding::kCp932).Decode(bytes);
}

std::string SanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const Utf8Sequence next = NextUtf8Sequence(bytes);
    out += next.well_formed ? bytes.substr(0, next.length) : kUtf8Replacement;
    bytes.remove_prefix(next.length);
  }
  return out;
}

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string_view DropCharacters(std::string_view utf8, std::size_t count) {
  std::size_t i = 0;
  while (count > 0 && i < utf8.size()) {
    ++i;
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
    --count;
  }
  return utf8.substr(i);
}

std::string Shortened(std::string_view text, std::size_t limit) {
  if (CharacterCount(text) <= limit) return std::string(text);
  text.remove_suffix(DropCharacters(text, limit).size());
  return std::string(text) + "…";
}

std::string Quoted(std::string_view text, std::size_t limit) {
  return "\"" + Shortened(text, limit) + "\"";
}

}  // namespace velune
