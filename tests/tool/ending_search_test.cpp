// The search of all plays, on stories whose endings are known by hand, as the checker
// reports it: each ending reached with its love points and the answers of a shortest play,
// or why no play gets there. (That the game, played so, ends there is for the game's own
// tests and the sample playthroughs.)
#include <gtest/gtest.h>

#include "story_folder.h"

namespace velune {
namespace {

using testing::ToolStory;

struct SearchCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> scenes;      // name, text; lst: the gift list
  std::string expected;                                         // the checker's findings
  std::vector<const char*> endings = {"end1", "end2", "end3"};  // the ending files there are
};

void PrintTo(const SearchCase& c, std::ostream* out) { *out << c.name; }

class EndingSearchTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(EndingSearchTest, ThePlaysItFindsReachTheirEndings) {
  ToolStory story;
  for (const auto& [name, text] : GetParam().scenes) story.Write("dat/" + name + ".dat", text);
  story.WriteEndings(GetParam().endings);
  story.Bytes("dat/bgm.mid", testing::TuneOfMs(1000));
  const std::string english = story.Report();
  testing::ExpectFindings(english, GetParam().expected);
  testing::ExpectSameFindingsInJapanese(english,
                                        testing::InJapanese([&] { return story.Report(); }));
}

const SearchCase kSearches[] = {
    // Only a wrong gift or the time-out at 00 leads to 20 and the first ending; the right
    // gift leads to 10 with 30 points and the third. No play has 20 to 29 points.
    {"AnEndingThatNeedsAWrongAnswer",
     {{"lst", "花\n指輪\n"},
      {"00", "花をあげる？\n>花\n30\n10\n20\n"},
      {"10", "よろこんだ。\n>ending\n"},
      {"20", "かなしんだ。\n>ending\n"}},
     "dat/end1.dat: note: end1 is reached with 0 love points by: 00 time-out\n"
     "dat/end2.dat: note: end2 needs 20 to 29 love points; plays reach an ending line with 0 or "
     "30 love points, and nothing between\n"
     "dat/end3.dat: note: end3 is reached with 30 love points by: 00 花 (+30)\n",
     {"end1", "end3"}},
    // 花 is on the list once: it can be given right at one of the prompts, not at both.
    {"TheSameItemWantedTwice",
     {{"lst", "花\n手紙\n"},
      {"00", "一度目。\n>花\n20\n10\n10\n"},
      {"10", "二度目。\n>花\n10\n20\n20\n"},
      {"20", ">ending\n"}},
     "dat/end1.dat: note: end1 is reached with 0 love points by: 00 time-out, 10 time-out\n"
     "dat/end2.dat: note: end2 is reached with 20 love points by: 00 花 (+20), 10 time-out\n"
     "dat/end3.dat: warning: the most any play collects before an ending line is 20\n"},
    // Twice on the list: either entry is right, and both prompts can be answered right.
    {"TheSameItemWantedTwiceAndListedTwice",
     {{"lst", "花\n手紙\n花\n"},
      {"00", "一度目。\n>花\n20\n10\n10\n"},
      {"10", "二度目。\n>花\n10\n20\n20\n"},
      {"20", ">ending\n"}},
     "dat/end3.dat: note: end3 is reached with 30 love points by: 00 花 (+20), 10 花 (+10)\n"},
    // 00 must be answered right (otherwise the game starts over); then a gift that costs
    // points is the only way under 20.
    {"NegativePoints",
     {{"lst", "花\n毒\n"},
      {"00", ">花\n30\n10\n99\n"},
      {"99", "帰ってしまった。\n-p\n>end\n"},
      {"10", ">毒\n-15\n20\n20\n"},
      {"20", ">ending\n"}},
     "dat/end1.dat: note: end1 is reached with 15 love points by: 00 花 (+30), 10 毒 (-15)\n"
     "dat/end2.dat: warning: with 15 or 30 love points, and nothing between\n"
     "dat/end3.dat: note: end3 is reached with 30 love points by: 00 花 (+30), 10 time-out\n"},
    {"LovePointsAreHeldInSixteenBits",
     {{"lst", "花\n毒\n"},
      {"00", ">花\n40000\n10\n99\n"},
      {"99", "帰った。\n-p\n>end\n"},
      {"10", ">毒\n-70000\n20\n20\n"},
      {"20", ">ending\n"}},
     "dat/end1.dat: note: end1 is reached with -32768 love points by: 00 花 (+32767), 10 毒 "
     "(-65535)\n"
     "dat/end2.dat: warning: with -32768 or 32767 love points, and nothing between\n"
     "dat/end3.dat: note: end3 is reached with 32767 love points by: 00 花 (+32767), 10 "
     "time-out\n"},
    {"AnEndingNamedByAGiftBlock",
     {{"lst", "花\n"}, {"00", ">花\n5\nend2\n10\n"}, {"10", ">ending\n"}},
     "dat/end2.dat: note: end2 is reached with 5 love points by: 00 花 (+5)\n"
     "dat/end3.dat: note: the most any play collects before an ending line is 0\n",
     {"end1", "end2"}},
};

INSTANTIATE_TEST_SUITE_P(Stories, EndingSearchTest, ::testing::ValuesIn(kSearches),
                         [](const auto& test) { return std::string(test.param.name); });

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
  testing::ExpectSameFindingsInJapanese(report,
                                        testing::InJapanese([&] { return story.Report(50); }));
}

}  // namespace
}  // namespace velune
