// Code page 932 through iconv, as glibc and macOS have it.
#include <iconv.h>

#include <stdexcept>

#include "story/cp932.h"
#include "story/text_decoding.h"

namespace velune {

struct Cp932Converter::Platform {
  iconv_t cd = iconv_open("UTF-8", "CP932");
};

Cp932Converter::Cp932Converter() : platform_(std::make_unique<Platform>()) {
  if (platform_->cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("this system cannot decode code page 932 (iconv has no CP932)");
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
    // EILSEQ or EINVAL: the byte at `in` starts nothing decodable.
    for (const char c : kUtf8Replacement) *dst++ = c;
    out_left -= kUtf8Replacement.size();
    ++in;
    --in_left;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace velune
