// Ten thousand games in a row in the scripted player: memory stays flat and exactly one
// scene file is open at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <streambuf>

#include "hostile_folder.h"

namespace velune::testing {
namespace {

// At every line the player writes (a look at the window, between two games), notes the
// heap in use and whether the first scene is the one file open in the folder.
class WatchingOutput : public std::streambuf {
 public:
  WatchingOutput(std::string folder, std::size_t lines) : folder_(std::move(folder)) {
    heap.reserve(lines);  // the watch itself does not grow as the games go on
    line_.reserve(4096);
    last_line.reserve(4096);
  }
  std::vector<std::int64_t> heap;
  int lines_with_other_files_open = 0;
  std::string last_line;

 protected:
  int overflow(int c) override {
    if (c == '\n') {
      heap.push_back(HeapInUse());
      if (OpenFilesUnder(folder_) != std::vector<std::string>{folder_ + "/dat/00.dat"}) {
        ++lines_with_other_files_open;
      }
      last_line = line_;
      line_.clear();
    } else if (c != EOF) {
      line_ += static_cast<char>(c);
    }
    return c;
  }

 private:
  std::string folder_;
  std::string line_;
};

TEST(Soak, TenThousandGamesInARowKeepMemoryFlatAndOneSceneFileOpen) {
  StoryFolder folder;
  SoakStory(folder);
  // Each game: the first page, the gift (right in even games), the scene after it, the
  // ending, the restart, and a look.
  constexpr int kGames = 10'000;
  std::string script;
  for (int game = 0; game < kGames; ++game) {
    script += "wait 300\nclick left\nselect " + std::to_string(game % 2) +
              "\ngive\nwait 300\nclick left\nwait 300\nclick left\nshow\n";
  }
  std::istringstream in(script);
  WatchingOutput watch(fs::canonical(folder.Path()).string(), kGames);
  std::ostream out(&watch);
  std::ostringstream err;
  ASSERT_EQ(PlayScript(folder.Path(), ParseScript(in), false, out, err), kRunOk) << watch.last_line;
  ASSERT_EQ(watch.heap.size(), static_cast<std::size_t>(kGames));
  EXPECT_NE(watch.last_line.find("\"scene\":\"00\""), std::string::npos) << watch.last_line;
  EXPECT_NE(watch.last_line.find("\"picture\":\"a\""), std::string::npos) << watch.last_line;
  EXPECT_EQ(watch.lines_with_other_files_open, 0);
  // After a hundred games to warm up, the heap grows by less than a megabyte.
  const auto most = *std::max_element(watch.heap.begin() + 100, watch.heap.end());
  EXPECT_LT(most - watch.heap[100], 1 << 20) << "from " << watch.heap[100] << " to " << most;
}

}  // namespace
}  // namespace velune::testing
