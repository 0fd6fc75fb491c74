#include "media/mci_interpreter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace velune {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Lower(std::string_view word) {
  std::string out(word);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

// Splits a command into words; a double-quoted word may hold blanks. Nothing when a
// quote is left open.
std::optional<std::vector<std::string>> Words(std::string_view command) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < command.size()) {
    if (IsBlank(command[i])) {
      ++i;
      continue;
    }
    if (command[i] == '"') {
      const std::size_t close = command.find('"', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      words.emplace_back(command.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    std::size_t end = i;
    while (end < command.size() && !IsBlank(command[end])) ++end;
    words.emplace_back(command.substr(i, end - i));
    i = end;
  }
  return words;
}

void WriteReply(std::string_view text, char* reply, int reply_length) {
  if (reply == nullptr || reply_length <= 0) return;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(reply_length));
  std::memcpy(reply, text.data(), n);
  reply[n] = '\0';
}

}  // namespace

TuneDevice::Mode MciInterpreter::Mode() {
  return alias_ ? device_.GetMode() : TuneDevice::Mode::kClosed;
}

int MciInterpreter::SendString(std::string_view command, char* reply, int reply_length) {
  const auto words = Words(command);
  if (!words || words->empty()) return kUnrecognizedCommand;
  const std::string verb = Lower((*words)[0]);

  if (verb == "open") {
    // open "PATH" alias NAME
    if (words->size() != 4 || Lower((*words)[2]) != "alias") return kBadCommandSyntax;
    const std::string alias = Lower((*words)[3]);
    if (alias_) return kInvalidDeviceName;  // already open under an alias
    if (!device_.Open((*words)[1])) return kCannotOpen;
    alias_ = alias;
    return kOk;
  }

  if (verb != "close" && verb != "stop" && verb != "play" && verb != "seek" && verb != "status") {
    return kUnrecognizedCommand;
  }
  if (words->size() < 2) return kBadCommandSyntax;
  const std::string alias = Lower((*words)[1]);
  std::vector<std::string> rest;
  for (std::size_t i = 2; i < words->size(); ++i) rest.push_back(Lower((*words)[i]));
  // "notify" may close any command; nothing receives the notice, so it changes nothing.
  const bool notify = !rest.empty() && rest.back() == "notify";
  if (notify) rest.pop_back();
  using Words = std::vector<std::string>;

  const bool well_formed = (verb == "close" || verb == "stop") ? rest.empty()
                           : verb == "play" ? (rest.empty() || rest == Words{"from", "0"})
                           : verb == "seek" ? rest == Words{"to", "start"}
                                            : (rest == Words{"mode"} && !notify);  // status
  if (!well_formed) return kBadCommandSyntax;
  if (!alias_ || alias != *alias_) return kInvalidDeviceName;

  if (verb == "close") {
    device_.Close();
    alias_.reset();
  } else if (verb == "stop") {
    device_.Stop();
  } else if (verb == "play") {
    if (!rest.empty()) device_.SeekToStart();
    device_.Play();
  } else if (verb == "seek") {
    device_.SeekToStart();
  } else {
    WriteReply(device_.GetMode() == TuneDevice::Mode::kPlaying ? "playing" : "stopped", reply,
               reply_length);
  }
  return kOk;
}

}  // namespace velune
