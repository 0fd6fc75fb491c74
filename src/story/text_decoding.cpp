#include "story/text_decoding.h"

#include "story/cp932.h"

namespace velune {
namespace {

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const auto cont = [&](std::size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
  const unsigned char lead = b(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return cont(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (!cont(1) || !cont(2)) return 0;
    if (lead == 0xE0 && b(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && b(1) >= 0xA0) return 0;  // surrogates
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (!cont(1) || !cont(2) || !cont(3)) return 0;
    if (lead == 0xF0 && b(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && b(1) >= 0x90) return 0;  // beyond U+10FFFF
    return 4;
  }
  return 0;
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
    const std::size_t n = Utf8SequenceLength(bytes);
    if (n == 0) {
      out += kUtf8Replacement;
      bytes.remove_prefix(1);
    } else {
      out += bytes.substr(0, n);
      bytes.remove_prefix(n);
    }
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
