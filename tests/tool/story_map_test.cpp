#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "story/line_reader.h"
#include "story_folder.h"
#include "tool/graphviz.h"
#include "tool/story_map.h"

namespace velune {
namespace {

namespace fs = std::filesystem;
using testing::SamplePath;
using testing::ToolStory;

std::string MapOf(const std::string& game_dir) {
  const Story story = testing::LoadFolder(game_dir);
  const EndingSearch search = SearchEndings(story);
  return StoryMapDot(story, search, CheckStory(story, search), "map");
}

TEST(StoryMap, TheSampleStoryAsDot) {
  const std::string dot = MapOf(SamplePath());
  EXPECT_EQ(dot.rfind("digraph story {", 0), 0u);
  for (const char* name :
       {"00", "10", "11", "12", "20", "21", "22", "30", "31", "32", "40", "end1", "end2", "end3"}) {
    EXPECT_NE(dot.find("<b>" + std::string(name) + "</b>"), std::string::npos) << name;
  }
  for (const char* label :
       {"ラムネ +10", "風鈴 +10", "貝がら +10", "wrong /<br/>time-out", "&lt; 20", "20–29", "≥ 30",
        "restart", "夏休みも、あと少しで終わる。"}) {
    EXPECT_NE(dot.find(label), std::string::npos) << label;
  }
  // A clean story: nothing red, nothing grey.
  EXPECT_EQ(dot.find("missing file"), std::string::npos);
  EXPECT_EQ(dot.find("no play gets here"), std::string::npos);
  EXPECT_EQ(dot.find("penwidth=2.5"), std::string::npos);
}

TEST(StoryMap, ErrorsAndUnreachedScenesStandOut) {
  ToolStory story;
  story.WriteCleanStory();
  story.Write("dat/20.dat", "夜になった。\n>ゆびわ\n10\n25\n31\n");  // 31 is missing
  story.Write("dat/25.dat", "指輪だ。\n>ive>30\n");                  // no play gets here
  story.Write("dat/99.dat", "使われない。\n>ive>30\n");              // nothing leads here
  story.Write("dat/end2.dat", "おわり。\n");                         // stands still
  story.Bytes("dat/end1.dat", std::string(kLongestLine + 1, 'x'));
  const std::string dot = MapOf(story.Path());
  for (const char* shown :
       {"missing file", "no play gets here", "subgraph cluster_unlinked", "(not on the list)",
        "stands still for good", "error: line too long", "1 error"}) {
    EXPECT_NE(dot.find(shown), std::string::npos) << shown;
  }
}

// Without Graphviz the map says so; with a Graphviz that fails, the text handed to it is
// removed all the same.
TEST(StoryMap, SaysSoWhenGraphvizIsMissingOrFails) {
  const char* path = std::getenv("PATH");
  const std::string saved = path ? path : "";
  testing::ScratchFolder bin, temporary;
  setenv("PATH", bin.Path().c_str(), 1);
  setenv("TMPDIR", temporary.Path().c_str(), 1);
  try {
    RenderDot("digraph g {}", "svg", bin.Path() + "/map.svg");
    ADD_FAILURE() << "no error without Graphviz";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Graphviz is not installed"), std::string::npos)
        << e.what();
  }
  fs::permissions(bin.Bytes("dot", "#!/bin/sh\nexit 3\n"), fs::perms::owner_all);
  EXPECT_THROW(RenderDot("digraph g {}", "svg", bin.Path() + "/map.svg"), std::runtime_error);
  setenv("PATH", saved.c_str(), 1);
  unsetenv("TMPDIR");
  EXPECT_TRUE(fs::is_empty(temporary.Path()));
}

}  // namespace
}  // namespace velune
