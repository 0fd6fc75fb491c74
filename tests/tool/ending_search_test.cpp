// The search of all plays, on stories whose endings are known by hand. (That the game,
// played so, ends there is for the game's own tests and the sample playthroughs.)
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "story_folder.h"
#include "tool/ending_report.h"

namespace velune {
namespace {

using testing::ToolStory;

struct Reach {
  int ending;
  int love;
  const char* answers;  // the answers the search finds
};

struct SearchCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> scenes{};    // name, text; lst: the gift list
  std::vector<const char*> endings = {"end1", "end2", "end3"};  // the ending files there are
  std::vector<Reach> reached{};
  std::vector<std::pair<int, std::string>> unreached{};  // an ending, and why no play gets there
  std::set<std::int16_t> love_at_ending_lines{};         // empty: not looked at
};

void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.name; }

class EndingSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(EndingSearchTest, ThePlaysItFindsReachTheirEndings) {
  const SearchCase& c = GetParam();
  ToolStory story;
  for (const auto& [name, text] : c.scenes) story.Write("dat/" + name + ".dat", text);
  story.WriteEndings(c.endings);
  const Story loaded = story.Load();
  const EndingSearch search = SearchEndings(loaded);
  EXPECT_FALSE(search.limit_hit);
  if (!c.love_at_ending_lines.empty()) {
    EXPECT_EQ(search.love_at_ending_lines, c.love_at_ending_lines);
  }
  for (const auto& [ending, why] : c.unreached) {
    EXPECT_FALSE(search.endings[static_cast<std::size_t>(ending - 1)].reached) << ending;
    EXPECT_EQ(WhyUnreached(loaded, search, ending), why);
  }
  for (const Reach& expected : c.reached) {
    const EndingReach& reach = search.endings[static_cast<std::size_t>(expected.ending - 1)];
    const std::string ending = "end" + std::to_string(expected.ending);
    ASSERT_TRUE(reach.reached) << ending;
    EXPECT_EQ(reach.love, expected.love) << ending;
    EXPECT_EQ(AnswersText(reach.answers), expected.answers) << ending;
  }
}

const SearchCase kSearches[] = {
    // Only a wrong gift or the time-out at 00 leads to 20 and the first ending; the right
    // gift leads to 10 with 30 points and the third. No play has 20 to 29 points.
    {
        .name = "AnEndingThatNeedsAWrongAnswer",
        .scenes = {{"lst", "花\n指輪\n"},
                   {"00", "花をあげる？\n>花\n30\n10\n20\n"},
                   {"10", "よろこんだ。\n>ending\n"},
                   {"20", "かなしんだ。\n>ending\n"}},
        .endings = {"end1", "end3"},
        .reached = {{1, 0, "00 time-out"}, {3, 30, "00 花 (+30)"}},
        .unreached = {{2,
                       "end2 needs 20 to 29 love points; plays reach an ending line with 0 or 30 "
                       "love points, and nothing between"}},
    },
    // 花 is on the list once: it can be given right at one of the prompts, not at both.
    {.name = "TheSameItemWantedTwice",
     .scenes = {{"lst", "花\n手紙\n"},
                {"00", "一度目。\n>花\n20\n10\n10\n"},
                {"10", "二度目。\n>花\n10\n20\n20\n"},
                {"20", ">ending\n"}},
     .reached = {{1, 0, "00 time-out, 10 time-out"}, {2, 20, "00 花 (+20), 10 time-out"}},
     .unreached = {{3,
                    "end3 needs 30 love points; the most any play collects before an ending "
                    "line is 20"}},
     .love_at_ending_lines = {0, 10, 20}},
    // Twice on the list: either entry is right, and both prompts can be answered right.
    {.name = "TheSameItemWantedTwiceAndListedTwice",
     .scenes = {{"lst", "花\n手紙\n花\n"},
                {"00", "一度目。\n>花\n20\n10\n10\n"},
                {"10", "二度目。\n>花\n10\n20\n20\n"},
                {"20", ">ending\n"}},
     .reached = {{3, 30, "00 花 (+20), 10 花 (+10)"}}},
    // 00 must be answered right (otherwise the game starts over); then a gift that costs
    // points is the only way under 20.
    {.name = "NegativePoints",
     .scenes = {{"lst", "花\n毒\n"},
                {"00", ">花\n30\n10\n99\n"},
                {"99", "帰ってしまった。\n-p\n>end\n"},
                {"10", ">毒\n-15\n20\n20\n"},
                {"20", ">ending\n"}},
     .reached = {{1, 15, "00 花 (+30), 10 毒 (-15)"}, {3, 30, "00 花 (+30), 10 time-out"}},
     .unreached = {{2,
                    "end2 needs 20 to 29 love points; plays reach an ending line with 15 or "
                    "30 love points, and nothing between"}}},
    {.name = "LovePointsAreHeldInSixteenBits",
     .scenes = {{"lst", "花\n毒\n"},
                {"00", ">花\n40000\n10\n10\n"},
                {"10", ">毒\n-70000\n20\n20\n"},
                {"20", ">ending\n"}},
     .reached = {{3, 32767, "00 花 (+32767), 10 time-out"}},
     .love_at_ending_lines = {-32768, 0, 32767}},
    {.name = "AnEndingNamedByAGiftBlock",
     .scenes = {{"lst", "花\n"}, {"00", ">花\n5\nend2\n10\n"}, {"10", ">ending\n"}},
     .endings = {"end1", "end2"},
     .reached = {{2, 5, "00 花 (+5)"}},
     .unreached = {{3,
                    "end3 needs 30 love points; the most any play collects before an ending "
                    "line is 0"}}},
};

std::string SearchName(const ::testing::TestParamInfo<SearchCase>& test) { return test.param.name; }

INSTANTIATE_TEST_SUITE_P(Stories, EndingSearchTest, ::testing::ValuesIn(kSearches), SearchName);

TEST(EndingSearch, StopsAtItsLimitAndSaysSo) {
  // Ten prompts, each for its own item: 2^10 ways to give them.
  ToolStory story;
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
  story.WriteEndings();
  const Story loaded = story.Load();
  const EndingSearch full = SearchEndings(loaded);
  EXPECT_FALSE(full.limit_hit);
  EXPECT_TRUE(full.endings[2].reached);
  EXPECT_EQ(full.endings[2].answers.size(), 10u);  // every play answers all ten prompts

  const EndingSearch cut = SearchEndings(loaded, 50);
  EXPECT_TRUE(cut.limit_hit);
  EXPECT_LE(cut.states, 50u);
  EXPECT_TRUE(cut.endings[2].reached);  // a play found depth first, maybe not the shortest
  EXPECT_FALSE(cut.endings[2].shortest);
  const std::string report = story.Report(50);
  EXPECT_NE(report.find("dat/00.dat: warning: the search of all plays stopped after 50 states"),
            std::string::npos)
      << report;
}

}  // namespace
}  // namespace velune
