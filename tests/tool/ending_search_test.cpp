// The search of all plays, on stories whose endings are known by hand. Every play that the
// search reports is played again by the game itself (headless), which must end where the
// search says, with the same love points.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "story_folder.h"
#include "tool/ending_report.h"
#include "tool/scripted_player.h"

namespace velune {
namespace {

using nlohmann::json;
using testing::StoryFolder;

// A script for the scripted player that answers the prompts as `answers` says: it skips
// ahead to each prompt with right clicks and gives the wanted item or lets the time run
// out; after the last answer it reads on line by line with left clicks, showing the
// window after each, so that no scene passes unseen.
std::string ScriptFor(const std::vector<GiftAnswer>& answers, std::vector<std::string> items) {
  std::string script;
  for (const GiftAnswer& answer : answers) {
    for (int i = 0; i < 40; ++i) script += "click right\nwait 30\n";
    if (answer.right) {
      const auto it = std::find(items.begin(), items.end(), answer.item);
      script += "select " + std::to_string(it - items.begin()) + "\ngive\n";
      items.erase(it);
    } else {
      script += "wait 5200\n";
    }
  }
  script += "show\n";
  for (int i = 0; i < 60; ++i) script += "click left\nwait 50\nshow\n";
  return script;
}

// Plays the story and returns the first snapshot that shows scene `scene`.
std::optional<json> PlayUntil(const StoryFolder& story, const std::vector<GiftAnswer>& answers,
                              const std::string& scene) {
  std::istringstream script(ScriptFor(answers, story.Load().gift_list.items));
  std::ostringstream out;
  std::ostringstream err;
  PlayScript(story.Path(), ParseScript(script), false, out, err);
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) {
    const json snapshot = json::parse(line);
    if (snapshot.value("scene", json()) == scene) return snapshot;
  }
  return std::nullopt;
}

// Checks that the game, played as the search says, reaches `ending` with `love` points.
void ExpectThePlayReaches(const StoryFolder& story, const EndingSearch& search, int ending,
                          int love) {
  const EndingReach& reach = search.endings[static_cast<std::size_t>(ending - 1)];
  ASSERT_TRUE(reach.reached) << "end" << ending;
  EXPECT_EQ(reach.love, love);
  const auto shown = PlayUntil(story, reach.answers, "end" + std::to_string(ending));
  ASSERT_TRUE(shown) << "the game never showed end" << ending << " for "
                     << AnswersText(reach.answers);
  EXPECT_EQ((*shown)["love"], love) << AnswersText(reach.answers);
}

TEST(EndingSearch, TheSampleStoryReachesEveryEnding) {
  StoryFolder story;
  std::filesystem::copy(
      std::filesystem::path(__FILE__).parent_path() / "../../games/sample", story.Path(),
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  const EndingSearch search = SearchEndings(story.Load());
  EXPECT_FALSE(search.limit_hit);
  EXPECT_EQ(AnswersText(search.endings[0].answers), "10 time-out, 20 time-out, 30 time-out");
  EXPECT_EQ(AnswersText(search.endings[2].answers),
            "10 ラムネ (+10), 20 風鈴 (+10), 30 貝がら (+10)");
  ExpectThePlayReaches(story, search, 1, 0);
  ExpectThePlayReaches(story, search, 2, 20);
  ExpectThePlayReaches(story, search, 3, 30);
}

TEST(EndingSearch, AnEndingThatNeedsAWrongAnswer) {
  // Only a wrong gift or the time-out at 00 leads to 20 and the first ending; the right
  // gift leads to 10 with 30 points and the third. No play has 20 to 29 points.
  StoryFolder story;
  story.Write("dat/lst.dat", "花\n指輪\n");
  story.Write("dat/00.dat", "花をあげる？\n>花\n30\n10\n20\n");
  story.Write("dat/10.dat", "よろこんだ。\n>ending\n");
  story.Write("dat/20.dat", "かなしんだ。\n>ending\n");
  for (const char* ending : {"end1", "end3"}) {
    story.Write(std::string("dat/") + ending + ".dat", "おわり\n-p\n>end\n");
  }
  const Story loaded = story.Load();
  const EndingSearch search = SearchEndings(loaded);
  EXPECT_EQ(AnswersText(search.endings[0].answers), "00 time-out");
  EXPECT_EQ(AnswersText(search.endings[2].answers), "00 花 (+30)");
  EXPECT_FALSE(search.endings[1].reached);
  EXPECT_EQ(WhyUnreached(loaded, search, 2),
            "end2 needs 20 to 29 love points; plays reach an ending line with 0 or 30 love "
            "points, and nothing between");
  ExpectThePlayReaches(story, search, 1, 0);
  ExpectThePlayReaches(story, search, 3, 30);

  // A wrong gift leads where the time-out leads: the game agrees.
  std::istringstream script(
      "click right\nwait 200\nselect 1\ngive\nclick left\nclick left\nshow\n");
  std::ostringstream out;
  std::ostringstream err;
  PlayScript(story.Path(), ParseScript(script), false, out, err);
  EXPECT_NE(out.str().find("\"scene\":\"end1\""), std::string::npos) << out.str();
}

TEST(EndingSearch, TheSameItemWantedTwice) {
  StoryFolder story;
  story.Write("dat/lst.dat", "花\n手紙\n");
  story.Write("dat/00.dat", "一度目。\n>花\n20\n10\n10\n");
  story.Write("dat/10.dat", "二度目。\n>花\n10\n20\n20\n");
  story.Write("dat/20.dat", ">ending\n");
  for (const char* ending : {"end1", "end2", "end3"}) {
    story.Write(std::string("dat/") + ending + ".dat", "おわり\n-p\n>end\n");
  }
  {
    // 花 is on the list once: it can be given right at one of the prompts, not at both.
    const Story loaded = story.Load();
    const EndingSearch search = SearchEndings(loaded);
    EXPECT_EQ(search.love_at_ending_lines, (std::set<std::int16_t>{0, 10, 20}));
    EXPECT_EQ(AnswersText(search.endings[1].answers), "00 花 (+20), 10 time-out");
    EXPECT_EQ(WhyUnreached(loaded, search, 3),
              "end3 needs 30 love points; the most any play collects before an ending line is 20");
    ExpectThePlayReaches(story, search, 1, 0);
    ExpectThePlayReaches(story, search, 2, 20);
  }
  {
    // Twice on the list: either entry is right, and both prompts can be answered right.
    story.Write("dat/lst.dat", "花\n手紙\n花\n");
    const EndingSearch search = SearchEndings(story.Load());
    EXPECT_EQ(AnswersText(search.endings[2].answers), "00 花 (+20), 10 花 (+10)");
    ExpectThePlayReaches(story, search, 3, 30);
  }
}

TEST(EndingSearch, NegativePoints) {
  // 00 must be answered right (otherwise the game starts over); then a gift that costs
  // points is the only way under 20.
  StoryFolder story;
  story.Write("dat/lst.dat", "花\n毒\n");
  story.Write("dat/00.dat", ">花\n30\n10\n99\n");
  story.Write("dat/99.dat", "帰ってしまった。\n-p\n>end\n");
  story.Write("dat/10.dat", ">毒\n-15\n20\n20\n");
  story.Write("dat/20.dat", ">ending\n");
  for (const char* ending : {"end1", "end2", "end3"}) {
    story.Write(std::string("dat/") + ending + ".dat", "おわり\n-p\n>end\n");
  }
  const Story loaded = story.Load();
  const EndingSearch search = SearchEndings(loaded);
  EXPECT_EQ(AnswersText(search.endings[0].answers), "00 花 (+30), 10 毒 (-15)");
  EXPECT_EQ(search.endings[0].love, 15);
  EXPECT_EQ(AnswersText(search.endings[2].answers), "00 花 (+30), 10 time-out");
  EXPECT_EQ(WhyUnreached(loaded, search, 2),
            "end2 needs 20 to 29 love points; plays reach an ending line with 15 or 30 love "
            "points, and nothing between");
  ExpectThePlayReaches(story, search, 1, 15);
  ExpectThePlayReaches(story, search, 3, 30);
}

TEST(EndingSearch, LovePointsAreHeldInSixteenBits) {
  StoryFolder story;
  story.Write("dat/lst.dat", "花\n毒\n");
  story.Write("dat/00.dat", ">花\n40000\n10\n10\n");
  story.Write("dat/10.dat", ">毒\n-70000\n20\n20\n");
  story.Write("dat/20.dat", ">ending\n");
  for (const char* ending : {"end1", "end2", "end3"}) {
    story.Write(std::string("dat/") + ending + ".dat", "おわり\n-p\n>end\n");
  }
  const EndingSearch search = SearchEndings(story.Load());
  EXPECT_EQ(search.love_at_ending_lines, (std::set<std::int16_t>{-32768, 0, 32767}));
  ExpectThePlayReaches(story, search, 3, 32767);
}

TEST(EndingSearch, AnEndingNamedByAGiftBlock) {
  StoryFolder story;
  story.Write("dat/lst.dat", "花\n");
  story.Write("dat/00.dat", ">花\n5\nend2\n10\n");
  story.Write("dat/10.dat", ">ending\n");
  for (const char* ending : {"end1", "end2"}) {
    story.Write(std::string("dat/") + ending + ".dat", "おわり\n-p\n>end\n");
  }
  const Story loaded = story.Load();
  const EndingSearch search = SearchEndings(loaded);
  const EndingReach& end2 = search.endings[1];
  ASSERT_TRUE(end2.reached);
  EXPECT_EQ(end2.love, 5);
  EXPECT_EQ(end2.from_scene, "dat/00.dat");
  EXPECT_EQ(end2.from_line, 3u);
  EXPECT_FALSE(search.endings[2].reached);
  // end3 has no file and no play reaches it: a note, not an error.
  EXPECT_NE(story.Report().find("dat/end3.dat: note: no play reaches end3: end3 needs 30 love "
                                "points; the most any play collects before an ending line is 0\n"),
            std::string::npos)
      << story.Report();
  ExpectThePlayReaches(story, search, 2, 5);
}

TEST(EndingSearch, StopsAtItsLimitAndSaysSo) {
  // Ten prompts, each for its own item: 2^10 ways to give them.
  StoryFolder story;
  std::string items;
  for (int i = 0; i < 10; ++i) {
    const std::string item = "item" + std::to_string(i);
    items += item + "\n";
    const std::string next = i == 9 ? "90" : std::to_string(i + 11);
    story.Write("dat/" + std::to_string(i + 10) + ".dat",
                ">" + item + "\n" + std::to_string(i + 1) + "\n" + next + "\n" + next + "\n");
  }
  story.Write("dat/lst.dat", items);
  story.Write("dat/00.dat", ">ive>10\n");
  story.Write("dat/90.dat", ">ending\n");
  for (const char* ending : {"end1", "end2", "end3"}) {
    story.Write(std::string("dat/") + ending + ".dat", "おわり\n-p\n>end\n");
  }
  const Story loaded = story.Load();
  const EndingSearch full = SearchEndings(loaded);
  EXPECT_FALSE(full.limit_hit);
  EXPECT_TRUE(full.endings[2].reached);
  EXPECT_EQ(full.endings[2].answers.size(), 10u);  // every play answers all ten prompts

  const EndingSearch cut = SearchEndings(loaded, 50);
  EXPECT_TRUE(cut.limit_hit);
  EXPECT_LE(cut.states, 50u);
  const std::string report = story.Report(50);
  EXPECT_NE(report.find("dat/00.dat: warning: the search of all plays stopped after 50 states (its "
                        "limit): endings and scenes it did not find may still be reachable\n"),
            std::string::npos)
      << report;
}

}  // namespace
}  // namespace velune
