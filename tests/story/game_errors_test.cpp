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

TEST_F(GameErrorsTest, AMissingFirstSceneIsReported) {
  Start();
  EXPECT_EQ(Error(), "cannot open dat/00.dat: no such file");
}

// Scenes that stop the game as it reads them, each with the one error that it stops on:
// none at start-up, where only the first scene is opened.
struct StoppingScene {
  const char* name;
  std::vector<std::string> lines;
  std::string error;
};
const std::string kReadsOn =
    ", but the game reads on; a scene must end with a jump, an ending, a restart or a gift block";
const StoppingScene kStoppingScenes[] = {
    {"AMissingScene",
     {"a", ">ive>99"},
     "cannot open dat/99.dat: no such file (named on dat/00.dat, line 2)"},
    {"ReadingPastTheEnd", {"a", ">img>x"}, "dat/00.dat: the file ends after line 2" + kReadsOn},
    {"AnEmptyScene", {}, "dat/00.dat: the file ends before its first line" + kReadsOn},
    {"ACommandLineTooShortForItsName",
     {"a", "-img"},
     "dat/00.dat, line 2: the picture line \"-img\" is too short; it needs five characters "
     "before the name"},
    // A very long name is cut short in the message.
    {"AVeryLongName",
     {">ive>" + std::string(100'000, 'x')},
     "cannot open dat/" + std::string(196, 'x') + "…: no such file (named on dat/00.dat, line 1)"},
    {"AMissingSceneAfterAPrompt",
     {"a", ">花", "1", "10", "99"},
     "cannot open dat/99.dat: no such file (named on dat/00.dat, line 5)"},
    {"AJumpWithAnEmptyName",
     {">ive>"},
     "cannot open dat/.dat: no such file (named on dat/00.dat, line 1)"},
    {"AGiftBlockCutShort",
     {"a", ">花", "3", "10"},
     "dat/00.dat: the file ends after line 4, but the game reads on; the gift block on line 2 "
     "needs three lines after it (points, scene for the right gift, scene otherwise)"},
};
void PrintTo(const StoppingScene& scene, std::ostream* out) { *out << scene.name; }

class StoppingScenes : public GameErrorsTest,
                       public ::testing::WithParamInterface<StoppingScene> {};

TEST_P(StoppingScenes, NameTheFileAndTheLine) {
  Scene("00", GetParam().lines);
  Start();
  EXPECT_EQ(Error(), "");
  Ticks(5);
  PromptTicks(50);
  Ticks(5);
  EXPECT_EQ(Error(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(GameErrors, StoppingScenes, ::testing::ValuesIn(kStoppingScenes),
                         [](const auto& param) { return param.param.name; });

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
