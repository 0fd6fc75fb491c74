#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "story/file_system.h"
#include "story/text_decoding.h"

namespace velune {

// The longest line of a story text file, in bytes without its line end. A story line
// is one line of a page of five; a file with a longer one is not a story text file (a
// picture or a tune in the wrong place, or a file with no line ends at all).
inline constexpr std::size_t kLongestLine = 1024 * 1024;

// The error of a line longer than kLongestLine.
struct LineTooLong : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads a story text file line by line: CR LF, a lone LF and a lone CR each end a
// line, and a line end after the last line makes no extra empty line. Lines are
// split on the raw bytes, then decoded (code page 932, or UTF-8 after a byte-order mark).
// A line longer than kLongestLine is refused with a LineTooLong that names it, before
// more of it is read.
class LineReader {
 public:
  explicit LineReader(std::unique_ptr<ByteSource> source);

  // True when no further line can be read. A file that holds only a byte-order mark
  // has no line.
  bool AtEnd();
  // The next line without its line end, or nothing when the file has no line left.
  std::optional<std::string> ReadLine();
  // How many lines have been read so far.
  std::size_t LinesRead() const { return lines_read_; }
  // The raw bytes of the line ReadLine returned last, without its line end; valid until
  // the next call of AtEnd or ReadLine.
  std::string_view LastRawLine() const { return last_raw_; }
  // True when the file starts with the UTF-8 byte-order mark and is read as UTF-8.
  bool HasByteOrderMark();

 private:
  bool Fill();  // reads more bytes; false at the end of the file
  void DetectEncoding();
  [[noreturn]] void TooLong() const;

  std::unique_ptr<ByteSource> source_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  bool source_done_ = false;
  std::optional<LineDecoder> decoder_;
  std::size_t lines_read_ = 0;
  std::string_view last_raw_;
};

}  // namespace velune
