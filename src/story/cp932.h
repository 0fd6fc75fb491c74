#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velune {

// How Windows cuts code page 932 into characters: a lead byte followed by a trail
// byte is always one character, assigned or not.
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsCp932TrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Decodes code page 932 (Windows Shift-JIS) to UTF-8 with this platform's converter,
// giving what Windows gives. An unassigned pair becomes one U+FFFD, both bytes of it;
// a lead byte followed by a byte that cannot trail it becomes U+FFFD alone, and the
// byte after it is read afresh (it may be a character of its own).
class Cp932Converter {
 public:
  Cp932Converter();  // throws std::runtime_error where the platform cannot decode it
  ~Cp932Converter();
  Cp932Converter(const Cp932Converter&) = delete;
  Cp932Converter& operator=(const Cp932Converter&) = delete;

  std::string Convert(std::string_view bytes);

 private:
  struct Platform;
  std::unique_ptr<Platform> platform_;
};

// Encodes UTF-8 text in code page 932 as Windows saves "ANSI" text on a Japanese system:
// a character that code page 932 lacks becomes "?", and so does each ill-formed byte.
// Throws std::runtime_error where the platform cannot encode it.
std::string EncodeCp932(std::string_view utf8);

}  // namespace velune
