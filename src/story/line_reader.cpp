#include "story/line_reader.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "story/translation.h"

namespace velune {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The first CR or LF in `bytes` from `from` on. A plain loop: find_first_of asks its set
// once per byte, which made splitting cost as much as decoding.
std::size_t FindLineEnd(std::string_view bytes, std::size_t from) {
  for (std::size_t i = from; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || bytes[i] == '\r') return i;
  }
  return std::string_view::npos;
}

}  // namespace

LineReader::LineReader(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}

bool LineReader::Fill() {
  if (source_done_) return false;
  // Drop what was consumed so the buffer holds only the unread bytes.
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(pos_));
  pos_ = 0;
  const std::size_t old = buffer_.size();
  buffer_.resize(old + kChunk);
  const std::size_t got = source_->Read(buffer_.data() + old, kChunk);
  buffer_.resize(old + got);
  if (got == 0) source_done_ = true;
  return got > 0;
}

bool LineReader::AtEnd() {
  DetectEncoding();
  while (pos_ >= buffer_.size()) {
    if (!Fill()) return true;
  }
  return false;
}

bool LineReader::HasByteOrderMark() {
  DetectEncoding();
  return decoder_->encoding() == LineDecoder::Encoding::kUtf8;
}

void LineReader::DetectEncoding() {
  if (decoder_) return;
  while (buffer_.size() - pos_ < kUtf8Bom.size() && Fill()) {
  }
  const std::string_view head(buffer_.data() + pos_, buffer_.size() - pos_);
  const bool bom = head.substr(0, kUtf8Bom.size()) == kUtf8Bom;
  if (bom) pos_ += kUtf8Bom.size();
  decoder_.emplace(bom ? LineDecoder::Encoding::kUtf8 : LineDecoder::Encoding::kCp932);
}

void LineReader::TooLong() const {
  throw LineTooLong(Tr("game", "line %1 is longer than %2 bytes, too long for a story line")
                        .Arg(lines_read_ + 1)
                        .Arg(kLongestLine));
}

std::optional<std::string> LineReader::ReadLine() {
  DetectEncoding();
  if (AtEnd()) return std::nullopt;
  std::size_t searched = 0;  // unread bytes already known to hold no line end
  for (;;) {
    const std::string_view rest(buffer_.data() + pos_, buffer_.size() - pos_);
    const std::size_t cut = FindLineEnd(rest, searched);
    // A CR as the last byte read so far may be the first half of a CR LF.
    const bool need_more =
        cut == std::string_view::npos || (rest[cut] == '\r' && cut + 1 == rest.size());
    if ((cut == std::string_view::npos ? rest.size() : cut) > kLongestLine) TooLong();
    if (need_more && !source_done_) {
      searched = cut == std::string_view::npos ? rest.size() : cut;
      Fill();  // moves the unread bytes to the front: look again
      continue;
    }
    const std::string_view raw = rest.substr(0, cut);
    std::size_t consumed = raw.size();
    if (cut != std::string_view::npos) {
      consumed += (rest[cut] == '\r' && cut + 1 < rest.size() && rest[cut + 1] == '\n') ? 2 : 1;
    }
    std::string line = decoder_->Decode(raw);
    last_raw_ = raw;
    pos_ += consumed;
    ++lines_read_;
    return line;
  }
}

}  // namespace velune
