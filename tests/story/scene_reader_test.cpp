#include "game_fixture.h"

namespace velune {
namespace {

using testing::GameTest;
const std::string kMark = "\u3000\u3000\u25BC";
const std::string kPrompt = "\r\n\r\n（彼女にあげなければ・・・）★";

class SceneReaderTest : public GameTest {
 protected:
  void SetUp() override { Gifts({"花", "指輪", "手紙"}); }
  std::string Mode() const {
    if (!game.TimIve().Enabled()) return "idle";
    return game.TimIve().Interval() == 0   ? "waiting"
           : game.TimIve().Interval() == 1 ? "skipping"
                                           : "reading";
  }
};

// The red window with its captions and colours is the window tests' to show.
TEST_F(SceneReaderTest, StartUpOpensTheTuneAndTheFirstScene) {
  Gifts({"花", "", "手紙"});
  Scene("00", {"a", ">end"});
  Start();
  EXPECT_EQ(game.AppDir(), "/g/");
  EXPECT_EQ(mci.commands,
            (std::vector<std::string>{"close MIDI notify", "open \"/g/dat/bgm.mid\" alias MIDI",
                                      "play MIDI notify"}));
  EXPECT_EQ(Items(), (std::vector<std::string>{"花", "", "手紙"}));  // empty lines are entries
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(game.SceneName(), "00");
  EXPECT_EQ(Mode(), "reading");
  EXPECT_EQ(pictures.drawn, std::vector<std::string>{""});  // the first layout pass draws nothing
}

TEST_F(SceneReaderTest, AFullPageWaitsForAClickAndTheNextLineOpensANewPage) {
  Scene("00", {"1", "2", "3", "4", "5", "6", "", ">end"});
  Start();
  Ticks(4);
  EXPECT_EQ(Text(), "1\r\n2\r\n3\r\n4");
  EXPECT_EQ(game.PageLines(), 4);
  Ticks(1);
  EXPECT_EQ(Text(), "1\r\n2\r\n3\r\n4\r\n5" + kMark);
  EXPECT_EQ(Mode(), "waiting");
  Ticks(10);  // a waiting reader gets no ticks
  EXPECT_EQ(game.PageLines(), 5);
  game.Lbl_MouseDown(1);
  EXPECT_EQ(Text(), "6");
  EXPECT_EQ(Mode(), "reading");
  Ticks(1);
  EXPECT_EQ(Text(), "6\r\n");  // an empty line takes a line of the page
}

TEST_F(SceneReaderTest, PageBreaksWaitAndAreNeverShown) {
  Scene("00", {"a", "-p", "-p", "p", "b", ">end"});
  Start();
  Ticks(2);
  EXPECT_EQ(Text(), "a" + kMark);
  EXPECT_EQ(Mode(), "waiting");
  game.Lbl_MouseDown(4);                   // middle button reads on at normal speed
  EXPECT_EQ(Text(), "a" + kMark + kMark);  // two breaks in a row: two marks
  EXPECT_EQ(Mode(), "waiting");
  game.Lbl_MouseDown(1);
  EXPECT_EQ(Text(), "p");  // "p" alone is story text
}

TEST_F(SceneReaderTest, RightClickSkipsThroughPagesUntilANewScene) {
  Scene("00", {"1", "2", "3", "4", "5", "6", "-p", "7", ">ive>10"});
  Scene("10", {"x", ">end"});
  Start();
  Ticks(1);
  game.Lbl_MouseDown(2);
  EXPECT_EQ(Mode(), "skipping");
  Ticks(3);
  EXPECT_EQ(Text(), "1\r\n2\r\n3\r\n4\r\n5");  // no mark, no wait while skipping
  Ticks(1);
  EXPECT_EQ(Text(), "6");
  Ticks(2);  // the page break does not stop the skipping reader either
  EXPECT_EQ(Text(), "7");
  Ticks(1);
  EXPECT_EQ(game.SceneName(), "10");
  EXPECT_EQ(Mode(), "reading");  // opening a scene always reads at normal speed
  Ticks(1);
  EXPECT_EQ(Text(), "7\r\nx");  // a new scene goes on with the page it found
}

TEST_F(SceneReaderTest, AClickWhileReadingShowsTheNextLineAtOnce) {
  Scene("00", {"a", "b", "c", ">end"});
  Start();
  game.Lbl_MouseDown(1);
  game.Lbl_MouseDown(1);
  EXPECT_EQ(Text(), "a\r\nb");
  game.Lbl_MouseDown(2);
  game.Lbl_MouseDown(1);
  EXPECT_EQ(Mode(), "reading");
}

TEST_F(SceneReaderTest, AFileThatRunsOutAfterTextStandsStillForGood) {
  Scene("00", {"a", "b"});
  Start();
  Ticks(2);
  EXPECT_EQ(Text(), "a\r\nb" + kMark);
  EXPECT_EQ(Mode(), "idle");
  game.Lbl_MouseDown(1);
  game.Lbl_MouseDown(2);
  EXPECT_EQ(Text(), "a\r\nb" + kMark);
  EXPECT_EQ(Error(), "");
}

TEST_F(SceneReaderTest, AFullPageAtTheEndOfTheFileLeavesTheReaderIdle) {
  Scene("00", {"1", "2", "3", "4", "-p"});
  Start();
  Ticks(5);
  EXPECT_EQ(Text(), "1\r\n2\r\n3\r\n4" + kMark);  // one mark only
  EXPECT_EQ(Mode(), "idle");
}

TEST_F(SceneReaderTest, PicturesLoadFromThePictureFolderAndFailuresKeepTheOldOne) {
  Scene("00", {">img>room1", ">img>missing", ">img>", "a", ">end"});
  pictures.loadable = {"/g/grf/room1.dat"};
  files.Add("/g/grf/room1.dat", "picture");
  Start();
  Ticks(1);
  EXPECT_EQ(game.PictureName(), "room1");
  Ticks(1);
  EXPECT_EQ(game.PictureName(), "room1");
  EXPECT_EQ(pictures.loads.back(), "/g/grf/missing.dat");
  const int opens = files.opens;
  Ticks(1);  // ">img>" alone repaints the present picture
  EXPECT_EQ(pictures.drawn.back(), "/g/grf/room1.dat");
  game.ShowPicture("");  // a layout pass redraws without reading a file
  EXPECT_EQ(files.opens, opens);
  EXPECT_EQ(pictures.drawn, (std::vector<std::string>{"", "/g/grf/room1.dat", "/g/grf/room1.dat",
                                                      "/g/grf/room1.dat"}));
}

TEST_F(SceneReaderTest, ARestartBeginsANewGameInsideTheTick) {
  Gifts({"花", "指輪"});
  Scene("00", {">img>room1", "a", ">花", "4", "10", "10"});
  Scene("10", {"b", ">end"});
  pictures.loadable = {"/g/grf/room1.dat"};
  files.Add("/g/grf/room1.dat", "picture");
  Start();
  Ticks(3);
  game.Lst_Select(0);
  game.AddCom_Click();
  EXPECT_EQ(game.Love(), 4);
  EXPECT_EQ(Items(), std::vector<std::string>{"指輪"});
  Ticks(2);
  EXPECT_EQ(game.SceneName(), "00");
  EXPECT_EQ(Items(), (std::vector<std::string>{"花", "指輪"}));
  EXPECT_EQ(game.Love(), 0);
  EXPECT_EQ(game.PageLines(), 0);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(game.Controls().love_lbl.caption, "");
  EXPECT_EQ(game.Controls().love_lbl.tooltip, "4");  // the tooltip stays until the next right gift
  EXPECT_EQ(game.PictureName(), "room1");
  EXPECT_EQ(mci.commands.size(), 3u);  // the tune plays on
}

TEST_F(SceneReaderTest, TheEndingFollowsTheLovePoints) {
  const std::pair<const char*, const char*> cases[] = {{"30", "end3"}, {"29", "end2"},
                                                       {"20", "end2"}, {"19", "end1"},
                                                       {"0", "end1"},  {"-5", "end1"}};
  for (const auto& [points, ending] : cases) {
    const auto fresh = GiveRightlyAtOnce(points, {">ending"});
    fresh->TimIve_Timer();
    EXPECT_EQ(fresh->SceneName(), ending) << points;
  }
}

TEST_F(SceneReaderTest, ClicksDoNothingDuringAPrompt) {
  Scene("00", {"a", "-p", ">花", "1", "10", "11"});
  Start();
  Ticks(2);
  game.Lbl_MouseDown(1);
  EXPECT_EQ(Text(), "a" + kMark + kPrompt);  // the page and its mark stay above the prompt
  EXPECT_EQ(game.PageLines(), 0);
  EXPECT_EQ(Mode(), "idle");
  EXPECT_TRUE(game.TimQst().Enabled());
  EXPECT_TRUE(game.Controls().add_com.visible);
  EXPECT_EQ(game.QstGlow(), 1);
  game.Lbl_MouseDown(2);
  EXPECT_EQ(Text(), "a" + kMark + kPrompt);
}

}  // namespace
}  // namespace velune
