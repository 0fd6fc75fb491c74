#pragma once

// Our messages to players and authors, written in English in the code and shown in the
// user's language: Japanese from the catalogue translations/velune_ja.ts, English where
// no catalogue fits. The story's own texts are never translated.

#include <concepts>
#include <string>
#include <string_view>
#include <vector>

namespace velune {

enum class Language { kEnglish, kJapanese };

// The first of the user's languages, in their order of preference ("ja-JP", "en_US.UTF-8",
// "fr"), that we speak; English when we speak none of them.
Language ChooseLanguage(const std::vector<std::string>& user_languages);

// The language of every message from now on: each program chooses it once at its start,
// before it says anything. English until then.
void UseLanguage(Language language);
Language LanguageInUse();

// A message as the code writes it, "cannot open %1: %2", with the parts that it quotes
// (names, story lines, numbers) given in order; they are put in place after the message is
// translated, so that a translation may order them as its language needs, and they are
// never translated themselves.
class Message {
 public:
  Message(const char* context, const char* source) : context_(context), source_(source) {}

  Message& Arg(std::string_view part) {
    parts_.emplace_back(part);
    return *this;
  }
  Message& Arg(std::integral auto number) { return Arg(std::to_string(number)); }

  // The message in the language in use.
  std::string Text() const;
  operator std::string() const { return Text(); }

 private:
  const char* context_;
  const char* source_;
  std::vector<std::string> parts_;
};

// Marks a message for the catalogue; lupdate finds it by this name.
inline Message Tr(const char* context, const char* source) { return Message(context, source); }

}  // namespace velune
