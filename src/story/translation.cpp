#include "story/translation.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "story/ascii.h"
#include "story/translation_catalogue.h"

namespace velune {
namespace {

Language language_in_use = Language::kEnglish;

// "%1" to "%9" replaced by the parts, in one pass: a part that itself holds "%1" (a story
// line may) stays as it is.
std::string WithParts(std::string_view text, const std::vector<std::string>& parts) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '0') : 0;
    if (text[i] == '%' && n >= 1 && n <= 9 && n <= parts.size()) {
      out += parts[n - 1];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string_view Translated(const char* context, const char* source) {
  if (language_in_use != Language::kJapanese) return source;
  const std::span<const CatalogueEntry> entries = JapaneseCatalogue();
  const auto less = [](const CatalogueEntry& entry, std::pair<const char*, const char*> key) {
    const int by_context = std::strcmp(entry.context, key.first);
    return by_context < 0 || (by_context == 0 && std::strcmp(entry.source, key.second) < 0);
  };
  const auto it =
      std::lower_bound(entries.begin(), entries.end(), std::pair(context, source), less);
  if (it == entries.end() || std::strcmp(it->context, context) != 0 ||
      std::strcmp(it->source, source) != 0) {
    return source;
  }
  return it->translation;
}

}  // namespace

Language ChooseLanguage(const std::vector<std::string>& user_languages) {
  for (const std::string& tag : user_languages) {
    // The language alone: "ja" of "ja-JP", "ja_JP.eucJP" or "ja@…".
    const std::string primary =
        AsciiLowered(std::string_view(tag).substr(0, tag.find_first_of("-_.@")));
    if (primary == "ja") return Language::kJapanese;
    if (primary == "en" || primary == "c" || primary == "posix") return Language::kEnglish;
  }
  return Language::kEnglish;
}

void UseLanguage(Language language) { language_in_use = language; }

Language LanguageInUse() { return language_in_use; }

std::string Message::Text() const { return WithParts(Translated(context_, source_), parts_); }

}  // namespace velune
