#include <gtest/gtest.h>

#include "game_fixture.h"
#include "story/music.h"

namespace velune {
namespace {

using Commands = std::vector<std::string>;

TEST(Music, RoutinesSendTheirCommandTexts) {
  testing::FakeMci mci;
  Music music(mci);
  EXPECT_FALSE(music.BgmLoop());
  music.BgmOpen("/g/dat/bgm.mid");
  music.BgmPlay();
  EXPECT_TRUE(music.BgmLoop());
  music.BgmStop();
  EXPECT_FALSE(music.BgmLoop());
  music.BgmClose();
  EXPECT_EQ(mci.commands, (Commands{"close MIDI notify", "open \"/g/dat/bgm.mid\" alias MIDI",
                                    "play MIDI notify", "stop MIDI notify", "close MIDI notify"}));
}

TEST(Music, ThePollRestartsAStoppedTuneWhileItIsToRepeat) {
  struct Case {
    const char* reply;
    bool restarts;
  };
  const Case cases[] = {
      {"stopped", true},  {"STOPPED", true}, {"StOpPeD", true},  {"stopped and more", true},
      {"playing", false}, {"paused", false}, {"seeking", false}, {"not ready", false},
      {"stoppe", false},  {"", false},  // no reply at all: the buffer stays blank
  };
  for (const auto& c : cases) {
    testing::FakeMci mci;
    Music music(mci);
    music.BgmPlay();
    mci.commands.clear();
    mci.status = c.reply;
    music.Bgm_Check_Timer();
    const Commands restart{"status MIDI mode", "seek MIDI to start", "play MIDI from 0"};
    EXPECT_EQ(mci.commands, c.restarts ? restart : Commands{"status MIDI mode"}) << c.reply;
  }
}

TEST(Music, NothingRestartsAfterTheTuneWasStopped) {
  testing::FakeMci mci;
  Music music(mci);
  mci.status = "stopped";
  music.Bgm_Check_Timer();  // before any play
  music.BgmPlay();
  music.BgmStop();
  mci.commands.clear();
  music.Bgm_Check_Timer();
  EXPECT_EQ(mci.commands, Commands{"status MIDI mode"});
}

}  // namespace
}  // namespace velune
