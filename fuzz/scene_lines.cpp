// Story text files: splitting into lines, decoding from code page 932 or UTF-8, and the
// character counting that the line kinds rely on.
#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "fuzz_input.h"
#include "story/line_reader.h"
#include "story/text_decoding.h"

namespace {

using velune::fuzz::FuzzInput;

// Hands the bytes out a few at a time, so that line ends fall across the reader's refills.
class Trickle : public velune::ByteSource {
 public:
  Trickle(std::string bytes, std::size_t step) : bytes_(std::move(bytes)), step_(step) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, step_, bytes_.size() - pos_});
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t step_;
  std::size_t pos_ = 0;
};

// The lines of a file as the format says, split the plain way: CR LF, LF and CR each end
// a line; a line end after the last line makes no extra line; a UTF-8 byte-order mark at
// the start means UTF-8.
std::vector<std::string> PlainLines(std::string_view bytes) {
  static velune::LineDecoder cp932(velune::LineDecoder::Encoding::kCp932);
  const bool utf8 = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (utf8) bytes.remove_prefix(3);
  const auto decode = [&](const std::string& raw) {
    return utf8 ? velune::SanitizeUtf8(raw) : cp932.Decode(raw);
  };
  std::vector<std::string> lines;
  std::string raw;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i++];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
      lines.push_back(decode(raw));
      raw.clear();
    } else {
      raw += c;
    }
  }
  if (!raw.empty()) lines.push_back(decode(raw));
  return lines;
}

void CheckCharacters(std::string_view line) {
  FUZZ_CHECK(velune::SanitizeUtf8(line) == line);  // always valid UTF-8
  FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
  const std::size_t count = velune::CharacterCount(line);
  FUZZ_CHECK(count <= line.size());
  FUZZ_CHECK(velune::DropCharacters(line, count).empty());
  FUZZ_CHECK(velune::DropCharacters(line, count + 1).empty());
  for (std::size_t k = 0; k <= count && k < 8; ++k) {
    const std::string_view rest = velune::DropCharacters(line, k);
    FUZZ_CHECK(line.substr(line.size() - rest.size()) == rest);
    FUZZ_CHECK(velune::CharacterCount(rest) == count - k);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  static constexpr std::size_t kSteps[] = {1, 2, 3, 5, 64, 4096, 1 << 20};
  const std::size_t step = kSteps[in.Byte() % std::size(kSteps)];
  const std::string bytes = in.Rest();

  velune::LineReader reader(std::make_unique<Trickle>(bytes, step));
  std::vector<std::string> lines;
  try {
    while (!reader.AtEnd()) {
      auto line = reader.ReadLine();
      FUZZ_CHECK(line.has_value());
      CheckCharacters(*line);
      lines.push_back(std::move(*line));
      FUZZ_CHECK(reader.LinesRead() == lines.size());
    }
  } catch (const std::runtime_error&) {
    FUZZ_CHECK(bytes.size() > velune::kLongestLine);  // only an over-long line is refused
    return 0;
  }
  FUZZ_CHECK(!reader.ReadLine().has_value());
  FUZZ_CHECK(lines == PlainLines(bytes));
  return 0;
}
