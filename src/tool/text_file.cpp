#include "tool/text_file.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "story/line_reader.h"

namespace velune {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

std::vector<std::string> ReadLines(std::string bytes) {
  LineReader reader(std::make_unique<MemorySource>(std::move(bytes)));
  std::vector<std::string> lines;
  while (auto line = reader.ReadLine()) lines.push_back(std::move(*line));
  return lines;
}

// Each byte as one character U+0000 to U+00FF in UTF-8, after a byte-order mark: the
// reader then splits exactly where it splits the file (line ends are ASCII and stay
// themselves; no other byte becomes a line end) and hands each line back undamaged.
std::string BytesAsCharacters(std::string_view bytes) {
  std::string out(kByteOrderMark);
  out.reserve(kByteOrderMark.size() + bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string CharactersAsBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80 || i + 1 == text.size()) {
      out += text[i];
    } else {
      out +=
          static_cast<char>(((b & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string ReadFileBytes(FileSystem& files, const std::string& path) {
  const auto source = files.OpenRead(path);
  std::string bytes;
  char buffer[64 * 1024];
  for (std::size_t got; (got = source->Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, got);
  return bytes;
}

TextFile ReadTextFile(FileSystem& files, const GameFile& file) {
  TextFile text;
  text.file = file;
  std::string bytes = ReadFileBytes(files, file.path);
  text.byte_order_mark = std::string_view(bytes).substr(0, kByteOrderMark.size()) == kByteOrderMark;
  const std::string_view body =
      std::string_view(bytes).substr(text.byte_order_mark ? kByteOrderMark.size() : 0);
  std::vector<std::string> raw = ReadLines(BytesAsCharacters(body));
  std::vector<std::string> decoded = ReadLines(std::move(bytes));
  if (raw.size() != decoded.size()) {
    throw std::logic_error("the raw lines of " + file.display + " do not match its lines");
  }
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    text.lines.push_back(TextLine{std::move(decoded[i]), CharactersAsBytes(raw[i])});
  }
  return text;
}

}  // namespace velune
