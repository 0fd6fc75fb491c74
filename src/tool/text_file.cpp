#include "tool/text_file.h"

#include "story/line_reader.h"

namespace velune {

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
  LineReader reader(files.OpenRead(file.path));
  try {
    while (auto line = reader.ReadLine()) {
      text.lines.push_back(TextLine{std::move(*line), std::string(reader.LastRawLine())});
    }
  } catch (const LineTooLong&) {
    text.long_line = text.lines.size() + 1;  // the game stops when it comes to read it
  }
  text.byte_order_mark = reader.HasByteOrderMark();
  return text;
}

}  // namespace velune
