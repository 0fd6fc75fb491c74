#include "game_fixture.h"

namespace velune {
namespace {

using List = std::vector<std::string>;

class GiftPromptTest : public testing::GameTest {
 protected:
  // Scene 00 opens a prompt for `wanted` worth `points`; 10 follows a right gift, 20 the rest.
  void StartPrompt(const std::string& wanted, const std::string& points) {
    if (!files.IsFile("/g/dat/lst.dat")) Gifts({"花", "指輪", "ring", "花"});
    Scene("00", {"a", ">" + wanted, points, "10", "20", "never read"});
    Scene("10", {"right", ">end"});
    Scene("20", {"other", ">end"});
    Start();
    Ticks(2);
  }
  std::string Meter() const { return game.Controls().love_lbl.caption; }
  std::string Tip() const { return game.Controls().love_lbl.tooltip; }
};

TEST_F(GiftPromptTest, TheListGlowsRedderAndTheFiftiethTickTimesOut) {
  StartPrompt("花", "3");
  PromptTicks(1);
  EXPECT_EQ(game.Controls().lst.back_colour, (Rgb{6, 0, 0}));
  PromptTicks(48);
  EXPECT_EQ(game.Controls().lst.back_colour, (Rgb{246, 0, 0}));
  EXPECT_TRUE(game.TimQst().Enabled());
  EXPECT_EQ(game.SceneName(), "00");
  PromptTicks(1);
  EXPECT_FALSE(game.TimQst().Enabled());
  EXPECT_EQ(game.SceneName(), "20");
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(game.Controls().lst.back_colour, kBlack);
  EXPECT_FALSE(game.Controls().add_com.visible);
  EXPECT_EQ(Items(), (List{"花", "指輪", "ring", "花"}));  // nothing given, nothing taken
  EXPECT_EQ(game.Love(), 0);
  Ticks(1);
  EXPECT_EQ(Text(), "other");  // a new page
}

TEST_F(GiftPromptTest, TheRightGiftAddsPointsAndRedrawsTheMeter) {
  StartPrompt("花", "3");
  game.Lst_Select(3);  // the same item twice in the list: either entry is right
  game.AddCom_Click();
  EXPECT_EQ(game.Love(), 3);
  EXPECT_EQ(Meter(), "♪♪♪♪\r\n love・・・");
  EXPECT_EQ(Tip(), "3");
  EXPECT_EQ(game.SceneName(), "10");
  EXPECT_EQ(Items(), (List{"花", "指輪", "ring"}));
  EXPECT_EQ(game.Controls().lst.selected, -1);
  EXPECT_FALSE(game.TimQst().Enabled());
  EXPECT_TRUE(game.TimIve().Enabled());
}

// The preview's new game, in the middle of a prompt and after an error: the list refilled,
// the prompt gone, the scene opened with the points on the meter; none leaves the meter empty.
TEST_F(GiftPromptTest, ANewGameAtASceneWithLovePoints) {
  StartPrompt("花", "3");
  game.Lst_Select(0);
  game.AddCom_Click();
  Scene("10", {">ive>nowhere"});
  game.NewGameAt("10", 0);
  Ticks(1);
  ASSERT_NE(Error(), "");
  game.NewGameAt("20", 25);
  EXPECT_EQ(Error(), "");
  EXPECT_FALSE(game.TimQst().Enabled());
  EXPECT_EQ(Items(), (List{"花", "指輪", "ring", "花"}));
  EXPECT_EQ(game.Love(), 25);
  EXPECT_EQ(Tip(), "25");
  Ticks(1);
  EXPECT_EQ(Text(), "other");
  game.NewGameAt("10", 0);
  EXPECT_EQ(Meter(), "");
  EXPECT_EQ(game.SceneName(), "10");
}

TEST_F(GiftPromptTest, AWrongGiftLeavesLoveAloneButTheItemGoes) {
  StartPrompt("Ring", "5");
  game.Lst_Select(2);  // "ring": the comparison is case-sensitive
  game.AddCom_Click();
  EXPECT_EQ(game.Love(), 0);
  EXPECT_EQ(Meter(), "");
  EXPECT_EQ(Tip(), "");
  EXPECT_EQ(game.SceneName(), "20");
  EXPECT_EQ(Items(), (List{"花", "指輪", "花"}));
}

TEST_F(GiftPromptTest, GivingWithNothingSelectedDoesNothing) {
  StartPrompt("花", "3");
  PromptTicks(3);
  game.AddCom_Click();
  EXPECT_TRUE(game.TimQst().Enabled());
  EXPECT_EQ(game.QstGlow(), 16);
  EXPECT_FALSE(game.Lst_Select(4));
  EXPECT_FALSE(game.Lst_Select(-1));
  EXPECT_EQ(game.Controls().lst.selected, -1);
}

TEST_F(GiftPromptTest, TheMeterShowsOneNoteMoreThanThePoints) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"0", "♪\r\n love・・・", "0"},
      {"-3", "\r\n love・・・", "-3"},
      {"4", "♪♪♪♪♪\r\n love・・・", "4"},
      {"roses", "♪\r\n love・・・", "0"},  // not a number: 0 points, the meter is written
      {" 2.5 roses", "♪♪♪\r\n love・・・", "2"},
      {"3.5", "♪♪♪♪♪\r\n love・・・", "4"},
  };
  for (const auto& [points, meter, tip] : cases) {
    const auto fresh = GiveRightlyAtOnce(points, {">end"});
    EXPECT_EQ(fresh->Controls().love_lbl.caption, meter) << points;
    EXPECT_EQ(fresh->Controls().love_lbl.tooltip, tip) << points;
  }
}

TEST_F(GiftPromptTest, AnEmptyPromptMatchesOnlyAnEmptyEntry) {
  Gifts({"花", ""});
  StartPrompt("", "2");
  game.Lst_Select(1);
  game.AddCom_Click();
  EXPECT_EQ(game.Love(), 2);
}

// The give button cannot be pressed while hidden; a selection survives a time-out and is
// given at the next prompt.
TEST_F(GiftPromptTest, ASelectionSurvivesATimeOutAndIsGivenAtTheNextPrompt) {
  Gifts({"花", "指輪"});
  Scene("00", {">花", "1", "10", "10"});
  Scene("10", {">指輪", "7", "20", "20"});
  Scene("20", {">end"});
  Start();
  Ticks(1);
  game.Lst_Select(1);
  PromptTicks(50);
  EXPECT_EQ(game.Controls().lst.selected, 1);
  game.AddCom_Click();
  EXPECT_EQ(Items().size(), 2u);
  EXPECT_EQ(game.Love(), 0);
  Ticks(1);
  game.AddCom_Click();
  EXPECT_EQ(game.Love(), 7);
  EXPECT_EQ(Items(), List{"花"});
}

}  // namespace
}  // namespace velune
