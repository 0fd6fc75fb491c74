#include <gtest/gtest.h>

#include "story_folder.h"

namespace velune {
namespace {

using nlohmann::json;
using testing::Play;

// The bundled story, played through to each of its endings.
class SampleStoryTest : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(SampleStoryTest, EachEndingIsReachedByPlay) {
  const auto [ending, love] = GetParam();
  const auto result = Play(testing::SamplePath(),
                           testing::ReadFile(std::string(VELUNE_PLAYS "/") + ending + ".play"));
  ASSERT_EQ(result.status, kRunOk) << result.out << result.err;
  const auto last_ending =
      std::find_if(result.lines.rbegin(), result.lines.rend(),
                   [](const json& j) { return j.value("scene", "").rfind("end", 0) == 0; });
  ASSERT_NE(last_ending, result.lines.rend()) << result.out;
  EXPECT_EQ((*last_ending)["scene"], ending);
  EXPECT_EQ((*last_ending)["love"], love);
  EXPECT_EQ((*last_ending)["reader"], "waiting");
}

INSTANTIATE_TEST_SUITE_P(Endings, SampleStoryTest,
                         ::testing::Values(std::make_pair("end1", 0), std::make_pair("end2", 20),
                                           std::make_pair("end3", 30)),
                         [](const auto& param) { return std::string(param.param.first); });

class ScriptedPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { story.Write("dat/lst.dat", "花\n指輪\n"); }
  testing::ToolStory story;
};

TEST_F(ScriptedPlayerTest, SnapshotsFollowTheContract) {
  story.Bytes("dat/00.dat", "\xEF\xBB\xBF>img>none\r\n雨。\r\n>花\r\n3\r\n10\r\n10\r\n");
  story.Bytes("dat/10.dat", "\xEF\xBB\xBF>end\r\n");
  const auto result = Play(story.Path(), "show\nwait 300\nshow\nselect 0\ngive\nshow\nabout\n");
  EXPECT_EQ(result.status, kRunOk);
  const std::string expected =
      R"({"t":0,"scene":"00","text":"","page":0,"love":0,"meter":"","meterTip":"","items":["花","指輪"],"selected":-1,"give":false,"listBg":"#000000","reader":"reading","prompt":false,"picture":null,"music":"closed"})"
      "\n"
      R"({"t":300,"scene":"00","text":"雨。\r\n\r\n（彼女にあげなければ・・・）★","page":0,"love":0,"meter":"","meterTip":"","items":["花","指輪"],"selected":-1,"give":true,"listBg":"#000000","reader":"idle","prompt":true,"picture":null,"music":"closed"})"
      "\n"
      R"({"t":300,"scene":"10","text":"","page":0,"love":3,"meter":"♪♪♪♪\r\n love・・・","meterTip":"3","items":["指輪"],"selected":-1,"give":false,"listBg":"#000000","reader":"reading","prompt":false,"picture":null,"music":"closed"})"
      "\n"
      R"({"t":300,"about":"\r\n良かったら同封のアンケートに答えてね♪"})"
      "\n";
  EXPECT_EQ(result.out, expected);
}

TEST_F(ScriptedPlayerTest, AGameErrorEndsTheRunWithItsMessage) {
  story.Bytes("dat/00.dat", "a\r\n>ive>missing\r\n");
  const auto result = Play(story.Path(), "wait 1000\nshow\n");
  EXPECT_EQ(result.status, kRunGameError);
  ASSERT_EQ(result.lines.size(), 1u);
  EXPECT_EQ(result.lines[0]["t"], 200);
  EXPECT_EQ(result.lines[0]["error"],
            "cannot open dat/missing.dat: no such file (named on dat/00.dat, line 2)");
}

TEST_F(ScriptedPlayerTest, SelectingAnEntryThatIsNotThereStopsTheRun) {
  story.Bytes("dat/00.dat", ">end\r\n");
  const auto result = Play(story.Path(), "show\n\nselect 2\nshow\n");
  EXPECT_EQ(result.status, kRunBadScript);
  EXPECT_EQ(result.lines.size(), 1u);  // what was printed stays
  EXPECT_EQ(result.err, "script line 3: select 2: the gift list has 2 entries at this moment\n");
}

TEST_F(ScriptedPlayerTest, TheTuneRepeatsWithinASecondOfItsEnd) {
  story.Bytes("dat/00.dat", "a\r\n");
  story.Bytes("dat/bgm.mid", testing::TuneOfMs(1500));
  const auto result = Play(story.Path(), "wait 2000\nshow\nclose\nshow\n", true);
  EXPECT_EQ(result.status, kRunOk);
  std::vector<std::string> trace;
  for (const auto& line : result.lines) {
    if (line.contains("mci"))
      trace.push_back(std::to_string(line["t"].get<int>()) + " " + line["mci"].get<std::string>());
  }
  const std::string open = "0 open \"" + story.Path() + "/dat/bgm.mid\" alias MIDI";
  EXPECT_EQ(trace, (std::vector<std::string>{"0 close MIDI notify", open, "0 play MIDI notify",
                                             "1000 status MIDI mode", "2000 status MIDI mode",
                                             "2000 seek MIDI to start", "2000 play MIDI from 0",
                                             "2000 stop MIDI notify", "2000 close MIDI notify"}));
  EXPECT_EQ(result.lines[7]["music"], "playing");
}

}  // namespace
}  // namespace velune
