#include "tool/text_file.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "story/line_reader.h"

namespace velune {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnds = "\r\n";

// Hands the bytes of a file on to the game's reader and keeps a copy of all it handed on.
class RecordingSource : public ByteSource {
 public:
  RecordingSource(std::unique_ptr<ByteSource> source, std::string& seen)
      : source_(std::move(source)), seen_(seen) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t got = source_->Read(buffer, size);
    seen_.append(buffer, got);
    return got;
  }

 private:
  std::unique_ptr<ByteSource> source_;
  std::string& seen_;
};

// Cuts the next line from `rest` as the reader does: CR LF, a lone LF and a lone CR each
// end a line.
std::string_view CutLine(std::string_view& rest) {
  const std::size_t end = rest.find_first_of(kLineEnds);
  const std::string_view line = rest.substr(0, end);
  std::size_t used = line.size();
  if (end != std::string_view::npos) {
    used += rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n' ? 2 : 1;
  }
  rest.remove_prefix(used);
  return line;
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
  std::string seen;
  LineReader reader(std::make_unique<RecordingSource>(files.OpenRead(file.path), seen));
  std::vector<std::string> decoded;
  std::exception_ptr stopped;
  try {
    while (auto line = reader.ReadLine()) decoded.push_back(std::move(*line));
  } catch (const std::runtime_error&) {
    stopped = std::current_exception();  // a line too long, or the file failed: see below
  }
  std::string_view rest = seen;
  text.byte_order_mark = rest.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  if (text.byte_order_mark) rest.remove_prefix(kByteOrderMark.size());
  const auto mismatch = [&] {
    return std::logic_error("the raw lines of " + file.display + " do not match its lines");
  };
  for (std::string& line : decoded) {
    if (rest.empty()) throw mismatch();  // each line the reader gave holds a byte at least
    text.lines.push_back(TextLine{std::move(line), std::string(CutLine(rest))});
  }
  if (stopped) {
    // The reader refuses a line only when no line end follows within kLongestLine bytes.
    if (std::min(rest.find_first_of(kLineEnds), rest.size()) <= kLongestLine) {
      std::rethrow_exception(stopped);
    }
    text.long_line = text.lines.size() + 1;
  } else if (!rest.empty()) {
    throw mismatch();
  }
  return text;
}

}  // namespace velune
