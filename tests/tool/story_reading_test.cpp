// How the tools read a story: raw and decoded lines, how lines look, the walk through a
// scene, files the game cannot read, and the report formats.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "story_folder.h"
#include "tool/line_look.h"
#include "tool/scene_walk.h"
#include "tool/text_file.h"

namespace velune {
namespace {

using testing::StoryFolder;

TextFile ReadBytes(const std::string& bytes) {
  StoryFolder folder;
  folder.WriteBytes("dat/x.dat", bytes);
  DiskFileSystem files;
  return ReadTextFile(files, GameFile{folder.Path() + "/dat/x.dat", "dat/x.dat"});
}

TEST(TextFile, LinesAndTheirBytesComeFromTheGamesReader) {
  const TextFile text = ReadBytes("a\r\n\x82\xA0\nc\r\xFF\r\n");
  ASSERT_EQ(text.lines.size(), 4u);
  EXPECT_FALSE(text.byte_order_mark);
  EXPECT_EQ(text.lines[0].text, "a");
  EXPECT_EQ(text.lines[1].text, "あ");
  EXPECT_EQ(text.lines[1].bytes, "\x82\xA0");
  EXPECT_EQ(text.lines[2].text, "c");
  EXPECT_EQ(text.lines[3].text, "\xEF\xBF\xBD");
  EXPECT_EQ(text.lines[3].bytes, "\xFF");
}

TEST(TextFile, AByteOrderMarkMeansUtf8) {
  const TextFile text = ReadBytes("\xEF\xBB\xBF\xE3\x81\x82\r\n\xE3\x81\r\n");
  ASSERT_EQ(text.lines.size(), 2u);
  EXPECT_TRUE(text.byte_order_mark);
  EXPECT_EQ(text.lines[0].text, "あ");
  EXPECT_EQ(text.lines[0].bytes, "\xE3\x81\x82");
  EXPECT_EQ(text.lines[1].bytes, "\xE3\x81");
  EXPECT_TRUE(ReadBytes("\xEF\xBB\xBF").lines.empty());
  EXPECT_TRUE(ReadBytes("").lines.empty());
}

TEST(LineLook, CommandsAreAMarkerAndTheirKeyword) {
  EXPECT_EQ(LooksLike(">img>town"), LineKind::kPicture);
  EXPECT_EQ(LooksLike(">ive>10"), LineKind::kJump);
  EXPECT_EQ(LooksLike(">ending"), LineKind::kEnding);
  EXPECT_EQ(LooksLike(">end"), LineKind::kRestart);
  EXPECT_EQ(LooksLike("-p"), LineKind::kPageBreak);
  EXPECT_EQ(LooksLike("#hantei note"), LineKind::kIgnored);
  EXPECT_EQ(LooksLike("// hantei note"), LineKind::kIgnored);
  EXPECT_EQ(LooksLike(">p"), LineKind::kPrompt);  // a prompt for the item "p"
  EXPECT_EQ(LooksLike(">pen"), LineKind::kPrompt);
  EXPECT_EQ(LooksLike(">花"), LineKind::kPrompt);
  EXPECT_EQ(LooksLike(""), LineKind::kText);
  EXPECT_EQ(LooksLike("Send it"), LineKind::kText);
  EXPECT_EQ(LooksLike("あend"), LineKind::kText);
  EXPECT_EQ(LooksLike("...weekend"), LineKind::kText);
}

TEST(LineLook, WhereTheKeywordIs) {
  EXPECT_EQ(KeywordCharacter("See you next weekend", "end"), 18u);
  EXPECT_EQ(KeywordCharacter("あいend", "end"), 3u);
  EXPECT_FALSE(KeywordCharacter("abc", "end"));
  EXPECT_EQ(WordAroundKeyword("See you next weekend!", "end"), "weekend");
  EXPECT_EQ(WordAroundKeyword(">end", "end"), "");
  EXPECT_EQ(KeywordPlace("So happy!", LineKind::kPageBreak), "\"p\" (in \"happy\") at character 6");
}

TEST(SceneWalk, FollowsTheReader) {
  const SceneWalk walk = WalkScene({">img>a", "text", "-p", ">花", "x", "11", "12", "unread"});
  EXPECT_EQ(walk.exit, SceneExit::kGift);
  EXPECT_EQ(walk.exit_line, 4u);
  EXPECT_EQ(walk.first_unread, 8u);
  ASSERT_TRUE(walk.gift);
  EXPECT_EQ(walk.gift->item, "花");
  EXPECT_EQ(walk.gift->points_text, "x");
  EXPECT_EQ(walk.gift->right->name, "11");
  EXPECT_EQ(walk.gift->otherwise->line, 7u);
  // The lines of the gift block and after it are never classified.
  EXPECT_TRUE(walk.kinds[3]);
  EXPECT_FALSE(walk.kinds[4]);
  EXPECT_FALSE(walk.kinds[7]);
  EXPECT_EQ(walk.pictures.size(), 1u);
  EXPECT_EQ(walk.first_text_line, 2u);

  EXPECT_EQ(WalkScene({}).exit, SceneExit::kEmpty);
  EXPECT_EQ(WalkScene({"text"}).exit, SceneExit::kStandsStill);
  EXPECT_EQ(WalkScene({"-p"}).exit, SceneExit::kStandsStill);
  EXPECT_EQ(WalkScene({">img>a"}).exit, SceneExit::kReadsPastEnd);
  EXPECT_EQ(WalkScene({"#hantei"}).exit, SceneExit::kReadsPastEnd);
  EXPECT_EQ(WalkScene({">img", ">ive>1"}).exit, SceneExit::kNameTooShort);
  EXPECT_EQ(WalkScene({">ive>"}).jump->name, "");  // five characters: an empty name
  EXPECT_EQ(WalkScene({">花", "1"}).gift->lines_after, 1u);
  EXPECT_EQ(WalkScene({"-pend", "x"}).exit, SceneExit::kRestart);
}

// The disk, except that one file cannot be read.
class OneUnreadableFile : public DiskFileSystem {
 public:
  explicit OneUnreadableFile(std::string path) : path_(std::move(path)) {}
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
    if (path == path_) throw std::runtime_error("permission denied");
    return DiskFileSystem::OpenRead(path);
  }

 private:
  std::string path_;
};

TEST(StoryCheck, AFileTheGameCannotRead) {
  StoryFolder story;
  story.WriteCleanStory();
  OneUnreadableFile files(story.Path() + "/dat/20.dat");
  HeadlessPictures pictures;
  const Story loaded = LoadStory(files, pictures, story.Path());
  const Findings findings = CheckStory(loaded, SearchEndings(loaded));
  std::ostringstream out;
  for (const Finding& f : findings.Sorted()) {
    if (f.severity != Severity::kNote) WriteFindingLine(out, f);
  }
  EXPECT_EQ(out.str(),
            "dat/20.dat: error: the scene file cannot be read (permission denied): the game stops "
            "with an error when it opens it\n"
            "dat/30.dat: warning: no jump, gift block or ending line leads to this scene from 00: "
            "no play ever shows it\n"
            "dat/end1.dat: warning: no play reaches end1: no play reaches an ending line\n"
            "dat/end2.dat: warning: no play reaches end2: no play reaches an ending line\n"
            "dat/end3.dat: warning: no play reaches end3: no play reaches an ending line\n");
}

TEST(Findings, SortedByFileAndLineWithASummary) {
  Findings findings;
  findings.Warning("dat/10.dat", 7, "b");
  findings.Error("dat/10.dat", 2, "a");
  findings.Note("dat/00.dat", 0, "c");
  findings.Error("dat/10.dat", 7, "d");
  std::ostringstream text;
  WriteFindingsText(text, findings);
  EXPECT_EQ(text.str(),
            "dat/00.dat: note: c\n"
            "dat/10.dat:2: error: a\n"
            "dat/10.dat:7: warning: b\n"
            "dat/10.dat:7: error: d\n"
            "2 errors, 1 warning, 1 note\n");

  std::ostringstream json;
  WriteFindingsJson(json, findings);
  std::istringstream lines(json.str());
  std::vector<nlohmann::json> objects;
  for (std::string line; std::getline(lines, line);) objects.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(objects.size(), 5u);
  EXPECT_EQ(
      objects[0],
      (nlohmann::json{
          {"file", "dat/00.dat"}, {"line", nullptr}, {"severity", "note"}, {"message", "c"}}));
  EXPECT_EQ(objects[1]["line"], 2);
  EXPECT_EQ(objects[4], (nlohmann::json{{"errors", 2}, {"warnings", 1}, {"notes", 1}}));
}

}  // namespace
}  // namespace velune
