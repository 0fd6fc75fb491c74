#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velune {

// Decodes code page 932 (Windows Shift-JIS) to UTF-8 with this platform's converter.
// A byte that starts nothing decodable becomes U+FFFD, and the byte after it is read
// afresh (it may be a character of its own).
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

}  // namespace velune
