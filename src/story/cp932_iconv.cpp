// Code page 932 through iconv, as glibc and macOS have it.
#include <iconv.h>

#include <stdexcept>

#include "story/cp932.h"
#include "story/text_decoding.h"
#include "story/translation.h"

namespace velune {
namespace {

// Single bytes that Windows maps and iconv refuses, as UTF-8; empty for any other byte.
std::string_view WindowsOnlySingleByte(unsigned char b) {
  switch (b) {
    case 0x80:
      return "\u0080";
    case 0xA0:
      return "\uF8F0";
    case 0xFD:
      return "\uF8F1";
    case 0xFE:
      return "\uF8F2";
    case 0xFF:
      return "\uF8F3";
    default:
      return {};
  }
}

// How many bytes at the start of `bytes` iconv could not decode: a whole pair of lead
// and trail byte, or one byte.
std::size_t UndecodedLength(std::string_view bytes) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  return IsCp932LeadByte(byte(0)) && bytes.size() > 1 && IsCp932TrailByte(byte(1)) ? 2 : 1;
}

}  // namespace

struct Cp932Converter::Platform {
  iconv_t cd = iconv_open("UTF-8", "CP932");
};

Cp932Converter::Cp932Converter() : platform_(std::make_unique<Platform>()) {
  if (platform_->cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(
        Tr("game", "this system cannot decode code page 932 (iconv has no CP932)").Text());
  }
}

Cp932Converter::~Cp932Converter() {
  if (platform_->cd != reinterpret_cast<iconv_t>(-1)) iconv_close(platform_->cd);
}

std::string Cp932Converter::Convert(std::string_view bytes) {
  // One input byte never makes more than three bytes of UTF-8 (half-width kana, or
  // U+FFFD for a byte that cannot be decoded).
  std::string out(bytes.size() * 3, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char* dst = out.data();
  std::size_t out_left = out.size();
  iconv_t cd = platform_->cd;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  while (in_left > 0) {
    if (iconv(cd, &in, &in_left, &dst, &out_left) != static_cast<std::size_t>(-1)) break;
    // EILSEQ or EINVAL: the character at `in` is one iconv does not know.
    std::string_view windows = WindowsOnlySingleByte(static_cast<unsigned char>(*in));
    const std::size_t skipped = windows.empty() ? UndecodedLength({in, in_left}) : 1;
    if (windows.empty()) windows = kUtf8Replacement;
    for (const char c : windows) *dst++ = c;
    out_left -= windows.size();
    in += skipped;
    in_left -= skipped;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace velune

namespace velune {

std::string EncodeCp932(std::string_view utf8) {
  const iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(
        Tr("game", "this system cannot decode code page 932 (iconv has no CP932)").Text());
  }
  // No character of code page 932 takes more bytes than its UTF-8 does.
  std::string out(utf8.size(), '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* dst = out.data();
  std::size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(cd, &in, &in_left, &dst, &out_left) != static_cast<std::size_t>(-1)) break;
    // A character code page 932 lacks, or a byte that is no UTF-8: one "?" for it.
    std::size_t skipped = 1;
    while (skipped < in_left && (static_cast<unsigned char>(in[skipped]) & 0xC0) == 0x80 &&
           skipped < 4) {
      ++skipped;
    }
    *dst++ = '?';
    --out_left;
    in += skipped;
    in_left -= skipped;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace velune
