#include <gtest/gtest.h>

#include "story/translation.h"

namespace velune {
namespace {

// The user's languages in order, as the system reports them: the first one we speak wins.
TEST(ChooseLanguage, TheFirstLanguageWeSpeakWins) {
  const std::pair<std::vector<std::string>, Language> cases[] = {
      {{"ja-JP", "ja-Jpan-JP", "ja"}, Language::kJapanese},
      {{"ja_JP.eucJP"}, Language::kJapanese},
      {{"JA"}, Language::kJapanese},
      {{"fr-FR", "fr", "ja"}, Language::kJapanese},  // no French: Japanese comes next
      {{"en-US", "ja-JP"}, Language::kEnglish},
      {{"C"}, Language::kEnglish},
      {{"xx-YY", "C"}, Language::kEnglish},
      {{"jav"}, Language::kEnglish},  // Javanese is not Japanese
      {{}, Language::kEnglish},
  };
  for (const auto& [languages, expected] : cases) {
    EXPECT_EQ(ChooseLanguage(languages), expected) << ::testing::PrintToString(languages);
  }
}

class MessageTest : public ::testing::Test {
 protected:
  ~MessageTest() override { UseLanguage(Language::kEnglish); }
};

// The parts go in after the translation, in the order the translation puts them, and are
// never read again: a story line may hold "%1".
TEST_F(MessageTest, PartsGoInWhereTheTranslationPutsThem) {
  const auto message = [] { return Tr("game", "%1, line %2").Arg("dat/10.dat").Arg(3).Text(); };
  EXPECT_EQ(message(), "dat/10.dat, line 3");
  UseLanguage(Language::kJapanese);
  EXPECT_EQ(message(), "dat/10.dat の 3 行目");
  EXPECT_EQ(Tr("game", "cannot open %1: %2").Arg("%2 100%").Arg("x").Text(),
            "%2 100% を開けません: x");
  EXPECT_EQ(Tr("none", "not in the catalogue, %1 %3").Arg("kept").Text(),
            "not in the catalogue, kept %3");
}

}  // namespace
}  // namespace velune
