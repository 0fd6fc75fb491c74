// Ten thousand games in a row in the scripted player: memory stays flat and exactly one
// scene file is open at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <streambuf>

#include "hostile_folder.h"

namespace velune::testing {
namespace {

// The scripted player's output, watched: at every line that it writes (a look at the
// window, between two games) the heap in use and the files open are noted.
class WatchingOutput : public std::streambuf {
 public:
  WatchingOutput(std::string folder, std::string first_scene, std::size_t lines)
      : folder_(std::move(folder)), first_scene_(std::move(first_scene)) {
    samples.reserve(lines);  // the watch itself takes no more memory as the games go on
    line_.reserve(4096);
    last_line.reserve(4096);
  }

  struct Sample {
    std::int64_t heap;      // bytes in use
    int open;               // files open in the game folder
    bool first_scene_open;  // and the one open is the first scene
  };
  std::vector<Sample> samples;
  std::string last_line;

 protected:
  int overflow(int c) override {
    if (c == '\n') {
      const std::int64_t heap = HeapInUse();
      const auto open = OpenFilesUnder(folder_);
      samples.push_back(
          {heap, static_cast<int>(open.size()), open.size() == 1 && open[0] == first_scene_});
      last_line = line_;
      line_.clear();
    } else if (c != EOF) {
      line_ += static_cast<char>(c);
    }
    return c;
  }

 private:
  std::string folder_;
  std::string first_scene_;
  std::string line_;
};

TEST(Soak, TenThousandGamesInARowKeepMemoryFlatAndOneSceneFileOpen) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"flower", "ring", "letter"});
  folder.Bytes("grf/a.dat", BitmapClaiming(4, 3));  // a small picture, whole
  folder.Bytes("dat/bgm.mid", TuneOfMs(2500));
  folder.Scene("00", {">img>a", "welcome", "-p", ">flower", "3", "10", "11"});
  folder.Scene("10", {"right", "-p", ">ending"});
  folder.Scene("11", {"wrong", "-p", ">ending"});
  for (const char* ending : {"end1", "end2", "end3"}) folder.Scene(ending, {"fin", "-p", ">end"});

  // Each game: the first page, the gift (right in even games, wrong in odd ones), the
  // scene after it, the ending, and the restart; a look at the window at its end, when
  // the new game's first scene is open.
  constexpr int kGames = 10'000;
  std::string script;
  for (int game = 0; game < kGames; ++game) {
    script += "wait 300\nclick left\nselect " + std::to_string(game % 2) +
              "\ngive\nwait 300\nclick left\nwait 300\nclick left\nshow\n";
  }
  std::istringstream in(script);
  const auto actions = ParseScript(in);

  const std::string real = std::filesystem::canonical(folder.Path()).string();
  WatchingOutput watch(real, real + "/dat/00.dat", kGames);
  std::ostream out(&watch);
  std::ostringstream err;
  ASSERT_EQ(PlayScript(folder.Path(), actions, false, out, err), kRunOk) << watch.last_line;
  ASSERT_EQ(watch.samples.size(), static_cast<std::size_t>(kGames));
  EXPECT_NE(watch.last_line.find("\"scene\":\"00\""), std::string::npos) << watch.last_line;
  EXPECT_NE(watch.last_line.find("\"picture\":\"a\""), std::string::npos) << watch.last_line;

  // Between two games the new game's first scene is open, and nothing else.
  for (std::size_t i = 0; i < watch.samples.size(); ++i) {
    ASSERT_EQ(watch.samples[i].open, 1) << "after game " << i + 1;
    ASSERT_TRUE(watch.samples[i].first_scene_open) << "after game " << i + 1;
  }
  // After a hundred games to warm up, the heap in use grows by less than a megabyte.
  const auto after_warm_up = watch.samples.begin() + 100;
  const auto [least, most] =
      std::minmax_element(after_warm_up, watch.samples.end(),
                          [](const auto& a, const auto& b) { return a.heap < b.heap; });
  EXPECT_LT(most->heap - after_warm_up->heap, 1 << 20)
      << "heap from " << after_warm_up->heap << " to " << most->heap << " (least " << least->heap
      << ")";
}

}  // namespace
}  // namespace velune::testing
