#include <gtest/gtest.h>

#include "memory_files.h"
#include "story/game_folder.h"

namespace velune {
namespace {

class GameFolderTest : public ::testing::Test {
 protected:
  std::optional<std::string> Find(const std::string& relative) {
    const auto file = FindGameFile(files, "/g/", relative);
    if (!file) return std::nullopt;
    return file->path;
  }
  testing::MemoryFiles files;
};

TEST_F(GameFolderTest, ExactNamesComeFirstThenNamesIgnoringCase) {
  files.Add("/g/dat/10.dat", "");
  files.Add("/g/dat/Room.DAT", "");
  files.Add("/g/dat/ROOM.dat", "");
  files.Add("/g/dat/room.dat", "");
  files.Add("/g/GRF/Sea.dat", "");
  EXPECT_EQ(Find("dat/10.dat"), "/g/dat/10.dat");
  EXPECT_EQ(Find("dat/room.dat"), "/g/dat/room.dat");
  EXPECT_EQ(Find("dat/rOOm.dat"), "/g/dat/ROOM.dat");  // the first in byte order
  EXPECT_EQ(Find("grf/sea.dat"), "/g/GRF/Sea.dat");
  EXPECT_EQ(Find("dat/99.dat"), "/g/dat/99.dat");  // missing: opening it will say so
}

TEST_F(GameFolderTest, AnEntryOfTheOtherKindNeverHidesTheOneThatFits) {
  files.Add("/g/dat/X.DAT/inside", "");  // a folder named like the scene
  files.Add("/g/dat/x.dat", "");
  files.Add("/g/Grf", "");  // a file named like the picture folder
  files.Add("/g/grf/pic.dat", "");
  EXPECT_EQ(Find("dat/X.dat"), "/g/dat/x.dat");
  EXPECT_EQ(Find("GRF/pic.dat"), "/g/grf/pic.dat");
}

TEST_F(GameFolderTest, BackslashesSeparateFoldersAndNamesStayInside) {
  files.Add("/g/dat/sub/a.dat", "");
  files.Add("/g/grf/x.dat", "");
  EXPECT_EQ(Find("dat/sub\\a.dat"), "/g/dat/sub/a.dat");
  EXPECT_EQ(Find("dat/SUB\\A.dat"), "/g/dat/sub/a.dat");
  EXPECT_EQ(Find("dat/..\\grf\\x.dat"), "/g/grf/x.dat");
  EXPECT_EQ(Find("dat/..\\..\\etc\\passwd.dat"), std::nullopt);
  EXPECT_EQ(Find("dat/" + std::string("a\0b", 3) + ".dat"), std::nullopt);
  EXPECT_EQ(Find("dat//\\x.dat"), "/g/dat/x.dat");
  EXPECT_EQ(FindGameFile(files, "/g/", "dat\\99.dat").value().display,
            "dat/99.dat");  // for messages
}

}  // namespace
}  // namespace velune
