#include "tool/lsp_framing.h"

#include <charconv>
#include <limits>
#include <optional>

#include "story/ascii.h"

namespace velune {
namespace {

constexpr std::size_t kLongestHeader = 8192;
constexpr int kMostHeaders = 32;

// One header line without its CR LF; nothing at the end of the input or on a line too long.
std::optional<std::string> ReadHeaderLine(std::istream& in, bool& ended) {
  std::string line;
  for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    if (line.size() == kLongestHeader) return std::nullopt;
    line += static_cast<char>(c);
  }
  ended = line.empty();
  return std::nullopt;
}

FramedMessage Broken(std::string problem) {
  return {FramedMessage::Status::kBroken, {}, std::move(problem)};
}

}  // namespace

FramedMessage ReadFramedMessage(std::istream& in, std::size_t limit) {
  std::optional<std::size_t> length;
  for (int headers = 0;; ++headers) {
    bool ended = false;
    const std::optional<std::string> line = ReadHeaderLine(in, ended);
    if (!line) {
      if (ended && headers == 0) return {};
      return Broken(ended ? "the input ends inside the headers" : "a header line is too long");
    }
    if (line->empty()) {
      if (headers == 0) continue;  // blank lines between messages
      break;
    }
    if (headers == kMostHeaders) return Broken("too many header lines");
    const std::size_t colon = line->find(':');
    if (colon == std::string::npos) return Broken("a header line without a colon");
    if (AsciiLowered(line->substr(0, colon)) != "content-length") continue;
    std::string_view value = std::string_view(*line).substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
      return Broken("the Content-Length is no number");
    }
    length = n;
  }
  if (!length) return Broken("a message without a Content-Length");
  if (*length > limit) {
    if (*length > static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max())) {
      return Broken("the Content-Length is too large to skip");
    }
    in.ignore(static_cast<std::streamsize>(*length));
    if (static_cast<std::size_t>(in.gcount()) != *length) {
      return Broken("the input ends inside a message");
    }
    return {FramedMessage::Status::kTooLarge,
            {},
            "a message of " + std::to_string(*length) + " bytes is too large"};
  }
  FramedMessage message{FramedMessage::Status::kMessage, std::string(*length, '\0'), {}};
  in.read(message.body.data(), static_cast<std::streamsize>(*length));
  if (static_cast<std::size_t>(in.gcount()) != *length) {
    return Broken("the input ends inside a message");
  }
  return message;
}

void WriteFramedMessage(std::ostream& out, const std::string& body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace velune
