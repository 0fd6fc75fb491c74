#include "tool/script.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "story/translation.h"
#include "story/utf8_paths.h"

namespace velune {
namespace {

constexpr std::int64_t kLongestWait = 1'000'000'000'000;  // ms: some thirty years
// All the waits of a script together, so that the virtual clock can never run over.
constexpr std::int64_t kLongestPlay = 1'000'000'000'000'000;  // ms: some thirty thousand years

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && blank(line[i])) ++i;
    std::size_t end = i;
    while (end < line.size() && !blank(line[end])) ++end;
    if (end > i) words.push_back(line.substr(i, end - i));
    i = end;
  }
  return words;
}

std::optional<std::int64_t> WholeNumber(std::string_view word) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < 0) return std::nullopt;
  return value;
}

Action ParseAction(const std::vector<std::string_view>& words) {
  const std::string_view verb = words[0];
  const std::size_t arguments = words.size() - 1;
  const auto expect = [&](std::size_t count, const char* usage) {
    if (arguments != count) throw ScriptError(Tr("run", "expected \"%1\"").Arg(usage));
  };
  static const std::map<std::string_view, Action::Kind> kBare{
      {"give", Action::Kind::kGive},
      {"about", Action::Kind::kAbout},
      {"show", Action::Kind::kShow},
      {"close", Action::Kind::kClose},
  };
  if (const auto bare = kBare.find(verb); bare != kBare.end()) {
    expect(0, bare->first.data());
    return {bare->second};
  }
  if (verb == "wait") {
    expect(1, "wait MS");
    const auto ms = WholeNumber(words[1]);
    if (!ms) throw ScriptError(Tr("run", "wait takes a whole number of milliseconds, 0 or more"));
    if (*ms > kLongestWait) throw ScriptError(Tr("run", "wait is too long"));
    return {Action::Kind::kWait, *ms};
  }
  if (verb == "click") {
    expect(1, "click left|right|middle");
    static const std::map<std::string_view, int> kButtons{{"left", 1}, {"right", 2}, {"middle", 4}};
    const auto button = kButtons.find(words[1]);
    if (button == kButtons.end()) throw ScriptError(Tr("run", "click takes left, right or middle"));
    return {Action::Kind::kClick, button->second};
  }
  if (verb == "select") {
    expect(1, "select N");
    const auto index = WholeNumber(words[1]);
    if (!index || *index > INT32_MAX) {
      throw ScriptError(Tr("run", "select takes an entry number, 0 or more"));
    }
    return {Action::Kind::kSelect, *index};
  }
  throw ScriptError(
      Tr("run", "unknown action \"%1\" (wait, click, select, give, about, show, close)").Arg(verb));
}

}  // namespace

std::vector<Action> ParseScript(std::istream& in) {
  std::vector<Action> actions;
  std::string line;
  int number = 0;
  std::int64_t waited = 0;
  while (std::getline(in, line)) {
    ++number;
    const auto words = SplitWords(line);
    if (words.empty() || words[0].front() == '#') continue;
    try {
      Action action = ParseAction(words);
      action.line = number;
      if (action.kind == Action::Kind::kWait) {
        waited += action.value;
        if (waited > kLongestPlay) {
          throw ScriptError(Tr("run", "the waits add up to too long a time"));
        }
      }
      actions.push_back(action);
    } catch (const ScriptError& e) {
      throw ScriptError(Tr("run", "script line %1: %2").Arg(number).Arg(e.what()));
    }
  }
  return actions;
}

std::vector<Action> ReadScript(const std::string& path) {
  if (path == "-") return ParseScript(std::cin);
  errno = 0;
  std::ifstream file(PathFromUtf8(path));
  std::vector<Action> actions;
  if (file) actions = ParseScript(file);
  // A folder opens, but reading it fails: the stream is then bad.
  if (!file.is_open() || file.bad()) {
    const int error = errno;
    throw ScriptError(
        Tr("run", "cannot read the script %1: %2").Arg(path).Arg(std::strerror(error)));
  }
  return actions;
}

}  // namespace velune
