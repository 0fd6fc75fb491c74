#include "game_fixture.h"

namespace velune {
namespace {

class GameErrorsTest : public testing::GameTest {
 protected:
  void SetUp() override { Gifts({"花"}); }
};

TEST_F(GameErrorsTest, AMissingGiftListEndsTheGameBeforeAnyText) {
  files.Remove("/g/dat/lst.dat");
  Scene("00", {"a", ">end"});
  Start();
  EXPECT_EQ(Error(), "cannot open dat/lst.dat: no such file");
  EXPECT_EQ(game.SceneName(), std::nullopt);
  game.TimIve_Timer();          // after an error nothing runs any more
  EXPECT_EQ(Text(), "\u3000");  // the story label as the window made it
}

TEST_F(GameErrorsTest, AMissingSceneNamesTheFileAndTheLineThatNamedIt) {
  Scene("00", {"a", ">ive>99"});
  Start();
  EXPECT_EQ(Error(), "");
  Ticks(2);
  EXPECT_EQ(Error(), "cannot open dat/99.dat: no such file (named on dat/00.dat, line 2)");
}

TEST_F(GameErrorsTest, AMissingFirstSceneIsReported) {
  Start();
  EXPECT_EQ(Error(), "cannot open dat/00.dat: no such file");
}

TEST_F(GameErrorsTest, ReadingPastTheEndNamesTheFileAndItsLastLine) {
  Scene("00", {"a", ">img>x"});
  Start();
  Ticks(3);
  EXPECT_EQ(
      Error(),
      "dat/00.dat: the file ends after line 2, but the game reads on; a scene must end with a "
      "jump, an ending, a restart or a gift block");
}

TEST_F(GameErrorsTest, AnEmptySceneIsAnError) {
  Scene("00", {});
  Start();
  Ticks(1);
  EXPECT_NE(Error().find("dat/00.dat: the file ends before its first line"), std::string::npos);
}

TEST_F(GameErrorsTest, ACommandLineTooShortForItsNameIsAnError) {
  Scene("00", {"a", "-img"});
  Start();
  Ticks(2);
  EXPECT_EQ(Error(),
            "dat/00.dat, line 2: the picture line \"-img\" is too short; it needs five characters "
            "before the name");
}

TEST_F(GameErrorsTest, AVeryLongNameIsCutShortInTheMessage) {
  Scene("00", {">ive>" + std::string(100'000, 'x')});
  Start();
  Ticks(1);
  EXPECT_EQ(Error(), "cannot open dat/" + std::string(196, 'x') +
                         "…: no such file (named on dat/00.dat, line 1)");
}

TEST_F(GameErrorsTest, AJumpWithAnEmptyNameOpensDotDat) {
  Scene("00", {">ive>"});
  Start();
  Ticks(1);
  EXPECT_EQ(Error(), "cannot open dat/.dat: no such file (named on dat/00.dat, line 1)");
}

TEST_F(GameErrorsTest, AGiftBlockCutShortNamesThePromptLine) {
  Scene("00", {"a", ">花", "3", "10"});
  Start();
  Ticks(2);
  PromptTicks(50);
  EXPECT_EQ(Error(),
            "dat/00.dat: the file ends after line 4, but the game reads on; the gift block on line "
            "2 needs three lines after it (points, scene for the right gift, scene otherwise)");
}

TEST_F(GameErrorsTest, ANameLeadingOutOfTheGameFolderIsRefused) {
  Scene("00", {">ive>..\\..\\..\\etc\\passwd"});
  Start();
  Ticks(1);
  EXPECT_NE(Error().find("does not name a file in the game folder"), std::string::npos) << Error();
}

TEST_F(GameErrorsTest, ShutdownStopsTheTuneEvenAfterAnError) {
  Start();
  ASSERT_NE(Error(), "");
  mci.commands.clear();
  game.Form_Unload();
  EXPECT_EQ(mci.commands, (std::vector<std::string>{"stop MIDI notify", "close MIDI notify"}));
  EXPECT_TRUE(game.Ended());
}

TEST_F(GameErrorsTest, ShutdownDuringAPromptClosesEverything) {
  Scene("00", {">花", "1", "10", "10"});
  Start();
  Ticks(1);
  game.Form_Unload();
  EXPECT_TRUE(game.Ended());
  EXPECT_EQ(Error(), "");
  game.TimQst_Timer();
  EXPECT_EQ(game.QstGlow(), 1);
}

TEST_F(GameErrorsTest, TheAboutMessageHasAnEmptyFirstLine) {
  EXPECT_EQ(game.Img_Click(), "\r\n良かったら同封のアンケートに答えてね♪");
}

TEST_F(GameErrorsTest, ScenesInCodePage932AndNamesInAnyCase) {
  // 00.dat in code page 932 jumps to "Next", stored as next.DAT on a case-sensitive disk.
  files.Add("/g/dat/00.dat", "\x89\xd4\x89\xce\r\n>ive>Next\r\n");
  files.Add("/g/dat/next.DAT", "\x81\x60\r\n>end\r\n");
  Start();
  Ticks(3);
  EXPECT_EQ(Text(), "花火\r\n～");
  EXPECT_EQ(Error(), "");
}

}  // namespace
}  // namespace velune
