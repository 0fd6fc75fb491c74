#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace velune {

class Cp932Converter;

// U+FFFD, which stands for bytes that cannot be decoded.
inline constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

// Turns the raw bytes of one line of a story text file into UTF-8.
// Story files are written on Japanese Windows, in code page 932; a file that
// starts with the UTF-8 byte-order mark is read as UTF-8 instead. Bytes that
// cannot be decoded become U+FFFD, so the result is always valid UTF-8.
class LineDecoder {
 public:
  enum class Encoding { kCp932, kUtf8 };

  explicit LineDecoder(Encoding encoding);
  ~LineDecoder();
  LineDecoder(const LineDecoder&) = delete;
  LineDecoder& operator=(const LineDecoder&) = delete;

  std::string Decode(std::string_view bytes);
  Encoding encoding() const { return encoding_; }

 private:
  Encoding encoding_;
  std::unique_ptr<Cp932Converter> cp932_;
};

// Convenience for whole strings of code page 932 (tests, tools).
std::string DecodeCp932(std::string_view bytes);

// Replaces each ill-formed part of UTF-8 by one U+FFFD: the longest start of a
// well-formed sequence, or else a single byte.
std::string SanitizeUtf8(std::string_view bytes);

// Number of characters (code points) in valid UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);

// The text after its first `count` characters, for valid UTF-8.
std::string_view DropCharacters(std::string_view utf8, std::size_t count);

// `text` cut to `limit` characters with "…", for a message.
std::string Shortened(std::string_view text, std::size_t limit);
// `text` in double quotes for a message, cut to `limit` characters with "…".
std::string Quoted(std::string_view text, std::size_t limit = 40);

}  // namespace velune
