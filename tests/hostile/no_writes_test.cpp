// A whole playthrough in the scripted player, from a read-only copy of the bundled story,
// changes no file and opens none for writing.
#include <gtest/gtest.h>

#include "hostile_folder.h"

namespace velune::testing {
namespace {

TEST(NoWrites, TheScriptedPlayerWritesNothingAnywhere) {
  const WriteWatch watch;
  const std::string command = watch.InWorkFolder(
      std::string(VELUNE_TOOL) + " run " + watch.story.string() + " " + VELUNE_SOURCE_DIR +
      "/tests/tool/plays/end3.play > " + watch.scratch.At("out").string());
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_NE(ReadFile(watch.scratch.At("out")).find("\"scene\":\"end3\""), std::string::npos);
  watch.ExpectNothingWritten(ReadFile(watch.log));
  if (!watch.traced) GTEST_SKIP() << "no strace here: the files were checked, the system calls not";
}

}  // namespace
}  // namespace velune::testing
