#include "media/mci_interpreter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "story/ascii.h"

namespace velune {
namespace {

struct Word {
  std::string text;
  bool quoted = false;  // written in double quotes
};

// Where the quoted path of an open command ends: at the last double quote that blanks
// and the word alias follow, so that the path may hold double quotes of its own (a folder
// name can, on Linux and macOS). npos when no quote after `start` is followed so.
std::size_t PathEnd(std::string_view command, std::size_t start) {
  for (std::size_t quote = command.rfind('"'); quote != std::string_view::npos && quote > start;
       quote = command.rfind('"', quote - 1)) {
    std::size_t word = quote + 1;
    while (word < command.size() && IsBlank(command[word])) ++word;
    const std::size_t end = word + 5;
    if (word > quote + 1 && SameIgnoringAsciiCase(command.substr(word, 5), "alias") &&
        (end == command.size() || IsBlank(command[end]))) {
      return quote;
    }
  }
  return std::string_view::npos;
}

// Splits a command into words at blanks; a word in double quotes may hold blanks. A
// quote left open, a quote inside a word or a NUL byte anywhere make the command
// malformed: the error code is returned and `words` is to be ignored.
int Split(std::string_view command, std::vector<Word>& words) {
  if (command.find('\0') != std::string_view::npos) return MciInterpreter::kUnrecognizedCommand;
  std::size_t i = 0;
  while (i < command.size()) {
    if (IsBlank(command[i])) {
      ++i;
      continue;
    }
    if (command[i] == '"') {
      const bool path =
          words.size() == 1 && !words[0].quoted && SameIgnoringAsciiCase(words[0].text, "open");
      std::size_t close = path ? PathEnd(command, i) : std::string_view::npos;
      if (close == std::string_view::npos) close = command.find('"', i + 1);
      if (close == std::string_view::npos) return MciInterpreter::kMissingQuote;
      if (close + 1 < command.size() && !IsBlank(command[close + 1])) {
        return MciInterpreter::kMissingQuote;
      }
      words.push_back({std::string(command.substr(i + 1, close - i - 1)), true});
      i = close + 1;
      continue;
    }
    std::size_t end = i;
    while (end < command.size() && !IsBlank(command[end])) {
      if (command[end] == '"') return MciInterpreter::kMissingQuote;
      ++end;
    }
    words.push_back({std::string(command.substr(i, end - i)), false});
    i = end;
  }
  return MciInterpreter::kOk;
}

void WriteReply(std::string_view text, char* reply, int reply_length) {
  if (reply == nullptr || reply_length <= 0) return;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(reply_length - 1));
  std::memcpy(reply, text.data(), n);
  reply[n] = '\0';
}

// The words after the alias that each command takes, "notify" included where allowed.
bool TakesWords(const std::string& verb, const std::vector<std::string>& rest) {
  using Words = std::vector<std::string>;
  if (verb == "close" || verb == "stop") return rest.empty() || rest == Words{"notify"};
  if (verb == "play") {
    return rest.empty() || rest == Words{"notify"} || rest == Words{"from", "0"};
  }
  if (verb == "seek") return rest == Words{"to", "start"};
  return rest == Words{"mode"};  // status
}

}  // namespace

TuneDevice::Mode MciInterpreter::Mode() {
  return alias_ ? device_.GetMode() : TuneDevice::Mode::kClosed;
}

int MciInterpreter::SendString(std::string_view command, char* reply, int reply_length) {
  std::vector<Word> words;
  if (const int error = Split(command, words); error != kOk) return error;
  if (words.empty() || words[0].quoted) return kUnrecognizedCommand;
  const std::string verb = AsciiLowered(words[0].text);

  if (verb == "open") {
    // open "PATH" alias NAME
    if (words.size() < 4) return kMissingParameter;
    if (!words[1].quoted) return kMissingQuote;
    if (words.size() > 4 || words[2].quoted || !SameIgnoringAsciiCase(words[2].text, "alias") ||
        words[3].quoted) {
      return kUnrecognizedKeyword;
    }
    if (alias_) return kDuplicateAlias;
    if (!device_.Open(words[1].text)) return kCannotOpen;
    alias_ = words[3].text;
    return kOk;
  }

  if (verb != "close" && verb != "stop" && verb != "play" && verb != "seek" && verb != "status") {
    return kUnrecognizedCommand;
  }
  if (words.size() < 2) return kMissingParameter;
  if (words[1].quoted || !alias_ || !SameIgnoringAsciiCase(words[1].text, *alias_))
    return kInvalidDeviceName;
  std::vector<std::string> rest;
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (words[i].quoted) return kUnrecognizedKeyword;
    rest.push_back(AsciiLowered(words[i].text));
  }
  if (!TakesWords(verb, rest)) return rest.empty() ? kMissingParameter : kUnrecognizedKeyword;

  // "notify" asks for a completion notice; no window is given to receive it, so it
  // changes nothing.
  if (verb == "close") {
    device_.Close();
    alias_.reset();
  } else if (verb == "stop") {
    device_.Stop();
  } else if (verb == "play") {
    if (!rest.empty() && rest[0] == "from") device_.SeekToStart();
    device_.Play();
  } else if (verb == "seek") {
    device_.SeekToStart();
  } else {
    const TuneDevice::Mode mode = device_.GetMode();
    WriteReply(mode == TuneDevice::Mode::kPlaying   ? "playing"
               : mode == TuneDevice::Mode::kStopped ? "stopped"
                                                    : "not ready",
               reply, reply_length);
  }
  return kOk;
}

}  // namespace velune
