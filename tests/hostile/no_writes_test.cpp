// A whole playthrough in the scripted player, from a read-only copy of the bundled story,
// leaves the story folder and the working folder as they were and opens no file for
// writing.
#include <gtest/gtest.h>

#include "hostile_folder.h"

namespace velune::testing {
namespace {

TEST(NoWrites, TheScriptedPlayerWritesNothingAnywhere) {
  const WriteWatch watch("velune-no-writes");
  const std::string play = std::string(VELUNE_SOURCE_DIR) + "/tests/tool/plays/end3.play";
  const std::string run = std::string(VELUNE_TOOL) + " run " + watch.story.string() + " " + play +
                          " > " + (watch.scratch / "out").string();
  const std::string command = watch.InWorkFolder(run);
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  EXPECT_NE(ReadAll(watch.scratch / "out").find("\"scene\":\"end3\""), std::string::npos);
  watch.ExpectNothingWritten(ReadAll(watch.log));
  if (!watch.traced) GTEST_SKIP() << "no strace here: the files were checked, the system calls not";
}

}  // namespace
}  // namespace velune::testing
