// Long waits while only the tune's poll ticks end at once, and show exactly what running
// every poll shows: the same run with its music commands traced runs every poll.
#include <gtest/gtest.h>

#include "hostile_folder.h"

namespace velune::testing {
namespace {

std::string Output(const std::string& game_dir, const std::string& script, bool trace) {
  std::istringstream in(script);
  std::ostringstream out;
  std::ostringstream err;
  const int status = PlayScript(game_dir, ParseScript(in), trace, out, err);
  std::string kept;
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) {
    if (line.find("\"mci\":") == std::string::npos) kept += line + "\n";
  }
  return std::to_string(status) + "\n" + kept + err.str();
}

// Waits and looks all over the tune's period, through reading, waiting for a click, the
// end of the scene and gift prompts; tunes none, empty, around the poll's second, longer.
TEST(QuietWaits, ShowWhatRunningEveryPollShows) {
  for (const int tune : {-1, 0, 1, 999, 1000, 1001, 2500, 3000, 61'234}) {
    StoryFolder folder;
    folder.Lines("dat/lst.dat", {"a", "b"});
    folder.Scene("00", {"one", "two", "-p", ">a", "1", "10", "10"});
    folder.Scene("10", {"three", "-p", "four", "-p", ">end"});
    if (tune >= 0) folder.Bytes("dat/bgm.mid", TuneOfMs(tune));
    for (unsigned seed = 1; seed <= 12; ++seed) {
      std::mt19937 random(seed * 31 + tune);
      std::string script;
      for (int i = 0; i < 40; ++i) {
        const unsigned pick = random() % 6;
        script += pick == 0   ? std::string("click left\n")
                  : pick == 1 ? std::string("click right\n")
                  : pick == 2 ? "wait " + std::to_string(random() % 50'000) + "\n"
                              : "wait " + std::to_string(random() % 3'000) + "\nshow\n";
      }
      EXPECT_EQ(Output(folder.Path(), script, false), Output(folder.Path(), script, true))
          << "tune " << tune << ", script:\n"
          << script;
    }
  }
}

}  // namespace
}  // namespace velune::testing
