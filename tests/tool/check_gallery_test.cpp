// A gallery of small broken stories, one for each thing the checker finds. Each starts
// from a clean story and breaks one thing. An expected finding is written as the report
// writes it, with its message cut to the key phrase (the names and numbers of the story
// included): the errors and warnings must be exactly these, the notes among the notes.
// The full wording is in docs/authoring.md.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "story/line_reader.h"
#include "story_folder.h"

namespace velune {
namespace {

using testing::ToolStory;

// A line one byte longer than the game's reader takes.
const std::string kLongLine(kLongestLine + 1, 'x');

using Files = std::vector<std::pair<std::string, std::string>>;  // path, UTF-8 text

// Breaks the clean story: removes a file (unless ""), and writes others.
std::function<void(ToolStory&)> Writes(Files files, std::string removed = "") {
  return [files, removed](ToolStory& s) {
    if (!removed.empty()) s.Remove(removed);
    for (const auto& [path, text] : files) s.Write(path, text);
  };
}
std::function<void(ToolStory&)> Removes(std::string removed, Files files = {}) {
  return Writes(std::move(files), std::move(removed));
}
std::function<void(ToolStory&)> Bytes(std::string path, std::string bytes) {
  return [path, bytes](ToolStory& s) { s.Bytes(path, bytes); };
}

struct GalleryCase {
  const char* name;
  std::function<void(ToolStory&)> break_it;
  std::string expected;  // findings, one a line
};

// What many of the broken stories lead to.
const std::string kNoEndingLine =
    "dat/end1.dat: warning: no play reaches end1: no play reaches an ending line\n"
    "dat/end2.dat: warning: no play reaches end2: no play reaches an ending line\n"
    "dat/end3.dat: warning: no play reaches end3: no play reaches an ending line\n";
const std::string kNoEnd2Between =
    "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; plays reach an "
    "ending line with 10 or 30 love points, and nothing between\n";
const std::string kNoEnd3Before20 =
    "dat/end3.dat: warning: end3 needs 30 love points; the most any play collects before an "
    "ending line is 20\n";

std::vector<std::string> Lines(const std::string& text, bool notes) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if ((line.find(": note: ") != std::string::npos) == notes) lines.push_back(line);
  }
  return lines;
}

// A line of the report matches an expected finding when the file, line and severity are
// the same and its message holds the expected one.
bool Matches(const std::string& line, const std::string& expected) {
  std::size_t where = 0;
  for (const char* severity : {": error: ", ": warning: ", ": note: "}) {
    if (const auto at = expected.find(severity); at != std::string::npos) {
      where = at + std::string(severity).size();
    }
  }
  return line.compare(0, where, expected, 0, where) == 0 &&
         line.find(expected.substr(where), where) != std::string::npos;
}

void ExpectFindings(const std::string& report, const std::string& expected) {
  const auto found = Lines(report, false);
  const auto wanted = Lines(expected, false);
  EXPECT_EQ(found.size(), wanted.size()) << report;
  for (std::size_t i = 0; i < std::min(found.size(), wanted.size()); ++i) {
    EXPECT_TRUE(Matches(found[i], wanted[i])) << wanted[i] << "\nis not:\n" << found[i];
  }
  for (const std::string& note : Lines(expected, true)) {
    const auto notes = Lines(report, true);
    EXPECT_TRUE(std::any_of(notes.begin(), notes.end(),
                            [&](const std::string& line) { return Matches(line, note); }))
        << note << "\nnot in:\n"
        << report;
  }
}

class CheckGallery : public ::testing::TestWithParam<GalleryCase> {};

TEST_P(CheckGallery, ReportsTheFinding) {
  ToolStory story;
  story.WriteCleanStory();
  GetParam().break_it(story);
  ExpectFindings(story.Report(), GetParam().expected);
}

TEST(CheckGallery, CleanStoriesCheckClean) {
  ToolStory story;
  story.WriteCleanStory();
  EXPECT_EQ(story.Report(),
            "dat/end1.dat: note: end1 is reached with 0 love points by: 10 time-out, 20 time-out\n"
            "dat/end2.dat: note: end2 is reached with 20 love points by: 10 花 (+20), 20 "
            "time-out\n"
            "dat/end3.dat: note: end3 is reached with 30 love points by: 10 花 (+20), 20 指輪 "
            "(+10)\n");
  EXPECT_EQ(testing::CheckReport(testing::SamplePath()),
            "dat/end1.dat: note: end1 is reached with 0 love points by: 10 time-out, 20 time-out, "
            "30 time-out\n"
            "dat/end2.dat: note: end2 is reached with 20 love points by: 10 time-out, 20 風鈴 "
            "(+10), 30 貝がら (+10)\n"
            "dat/end3.dat: note: end3 is reached with 30 love points by: 10 ラムネ (+10), 20 風鈴 "
            "(+10), 30 貝がら (+10)\n");
}

// The disk, except that one file opens but fails when it is read.
class OneUnreadableFile : public DiskFileSystem {
 public:
  explicit OneUnreadableFile(std::string path) : path_(std::move(path)) {}
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
    struct Failing : ByteSource {
      std::size_t Read(char*, std::size_t) override {
        throw std::runtime_error("input/output error");
      }
    };
    if (path == path_) return std::make_unique<Failing>();
    return DiskFileSystem::OpenRead(path);
  }

 private:
  std::string path_;
};

TEST(CheckGallery, AFileTheGameCannotRead) {
  ToolStory story;
  story.WriteCleanStory();
  OneUnreadableFile files(story.Path() + "/dat/20.dat");
  ExpectFindings(testing::CheckReport(story.Path(), kDefaultStateLimit, &files),
                 "dat/20.dat: error: the scene file cannot be read (input/output error)\n"
                 "dat/30.dat: warning: no jump, gift block or ending line leads to this scene\n" +
                     kNoEndingLine);
}

const GalleryCase kGallery[] = {
    // Errors the game stops on.
    {"MissingSceneNamedByAJump", Writes({{"dat/30.dat", "#hantei\n>ive>40\n"}}),
     "dat/30.dat:2: error: the jump line opens the scene \"40\", but dat/40.dat does not exist\n" +
         kNoEndingLine},
    {"MissingSceneNamedByAGiftBlock", Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n31\n"}}),
     "dat/20.dat:5: error: a wrong gift or the time-out opens the scene \"31\", but dat/31.dat "
     "does not exist\n" +
         kNoEnd2Between},
    {"MissingEndingThatAPlayReaches", Removes("dat/end3.dat"),
     "dat/30.dat:2: error: with 30 love points the ending line opens end3, but dat/end3.dat does "
     "not exist\n"},
    {"MissingEndingNamedByAGiftBlock",
     Removes("dat/end3.dat", {{"dat/20.dat", "夜になった。\n>指輪\n10\nend3\n30\n"}}),
     "dat/20.dat:4: error: the right gift opens the scene \"end3\", but dat/end3.dat does not\n"},
    // A story may leave out an ending that no play reaches.
    {"MissingEndingNoPlayReaches",
     Removes("dat/end3.dat", {{"dat/20.dat", "夜になった。\n>指輪\n5\n30\n30\n"}}),
     "dat/end3.dat: note: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 25\n"},
    {"MissingSceneZero", Removes("dat/00.dat"), "dat/00.dat: error: scene 00 does not exist\n"},
    {"NameOutsideTheGameFolder",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n../../30\n"}}),
     "dat/20.dat:5: error: time-out opens \"../../30\", which does not name a file in the game\n" +
         kNoEnd2Between},
    {"EmptyJumpName", Writes({{"dat/30.dat", "#hantei\n>ive>\n"}}),
     "dat/30.dat:2: error: opens an empty scene name, that is the file dat/.dat\n" + kNoEndingLine},
    {"EmptySceneFile",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n25\n"}, {"dat/25.dat", ""}}),
     "dat/25.dat: error: the scene file is empty\n" + kNoEnd2Between},
    {"FileRunsOutInsideAGiftBlock", Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n"}}),
     "dat/20.dat:2: error: the gift block has 2 of the three lines it needs after the prompt\n" +
         kNoEnd2Between},
    {"FileRunsOutAfterAPictureLine",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n25\n"},
             {"dat/25.dat", "静かな夜。\n>img>room\n"}}),
     "dat/25.dat:2: error: the file ends right after a picture line\n" + kNoEnd2Between},
    {"FileRunsOutAfterAnIgnoredLine", Writes({{"dat/30.dat", "#hantei メモ\n"}}),
     "dat/30.dat:1: error: the file ends right after an ignored line\n" + kNoEndingLine},
    {"PictureLineTooShort", Writes({{"dat/end1.dat", "おわり。\n>img\n>end\n"}}),
     "dat/end1.dat:2: error: a picture line \">img\" is shorter than five characters\n"},
    {"JumpLineTooShort", Writes({{"dat/end2.dat", "おわり。\n-p\n>ive\n"}}),
     "dat/end2.dat:3: error: a jump line \">ive\" is shorter than five characters\n"},
    {"LineTooLongWhereTheGameReadsIt",
     Writes({{"dat/end1.dat", "おわり。\n" + kLongLine + "\n>end\n"}}),
     "dat/end1.dat:2: error: this line is longer than 1048576 bytes\n"},
    {"LineTooLongInAGiftBlock",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n" + kLongLine + "\n"}}),
     "dat/20.dat:5: error: this line of the gift block on line 2 is longer than 1048576 bytes\n" +
         kNoEnd2Between},
    {"LineTooLongInTheGiftList", Writes({{"dat/lst.dat", "花\n指輪\n" + kLongLine + "\n手紙\n"}}),
     "dat/lst.dat:3: error: this line is longer than 1048576 bytes\n"},
    {"MissingGiftList", Removes("dat/lst.dat"), "dat/lst.dat: error: the gift list does not\n"},
    // Lines the game reads differently from how they look.
    {"StoryLineTakenAsARestart", Writes({{"dat/end1.dat", "See you next weekend.\n-p\n>end\n"}}),
     "dat/end1.dat:1: error: \"See you next weekend.\" is read as a restart line, because of "
     "\"end\" (in \"weekend\") at character 18\n"
     "dat/end1.dat:2: warning: lines 2 to 3 are never read: the scene leaves at a restart line on "
     "line 1\n"},
    {"StoryLineTakenAsAnEnding", Writes({{"dat/end2.dat", "pending\n-p\n>end\n"}}),
     "dat/end2.dat:1: error: \"pending\" is read as an ending line, because of \"ending\" (in "
     "\"pending\") at character 2\n"
     "dat/end2.dat:2: warning: leaves at an ending line on line 1\n"},
    {"StoryLineTakenAsAJump", Writes({{"dat/end3.dat", "Olive oil\n-p\n>end\n"}}),
     "dat/end3.dat:1: error: \"Olive oil\" is read as a jump line, because of \"ive\" (in "
     "\"Olive\") at character 3: the game jumps to the scene \" oil\" here\n"
     "dat/end3.dat:1: error: dat/ oil.dat does not exist: the game stops with an error here (the "
     "name \" oil\" has blanks around it)\n"
     "dat/end3.dat:2: warning: leaves at a jump line on line 1\n"},
    {"StoryLineTakenAsAPicture", Writes({{"dat/00.dat", ">img>room\nHis img tag\n-p\n>ive>10\n"}}),
     "dat/00.dat:2: warning: \"His img tag\" is read as a picture line, because of \"img\" at "
     "character 5: it is not shown, and the game looks for the picture \"mg tag\"\n"
     "dat/00.dat:2: warning: the picture grf/mg tag.dat does not exist\n"},
    {"StoryLineTakenAsAnIgnoredLine",
     Writes({{"dat/00.dat", ">img>room\n「hantei」\n-p\n>ive>10\n"}}),
     "dat/00.dat:2: warning: \"「hantei」\" is read as an ignored line, because of \"hantei\" at "
     "character 2\n"},
    {"StoryLineTakenAsAPageBreak", Writes({{"dat/00.dat", ">img>room\nSo happy!\n-p\n>ive>10\n"}}),
     "dat/00.dat:2: warning: \"So happy!\" is read as a page break, because of \"p\" (in "
     "\"happy\") at character 6\n"},
    {"JumpToAnEndingRestarts", Writes({{"dat/30.dat", "#hantei\n>ive>end1\n"}}),
     "dat/30.dat:2: error: a jump line to \"end1\" is read as a restart line, because \"end\" at "
     "character 6 is tested before \"ive\"\n" +
         kNoEndingLine},
    {"PromptCapturedByAJump",
     Writes({{"dat/lst.dat", "花\n指輪\n手紙\nolive\n"},
             {"dat/20.dat", "夜になった。\n>olive\n10\n30\n30\n"}}),
     "dat/20.dat:2: error: a gift prompt for \"olive\" is read as a jump line, because \"ive\" (in "
     "\"olive\") at character 4 is tested before a prompt: the game jumps to the scene \"e\"\n"
     "dat/20.dat:2: error: the jump line opens the scene \"e\"\n"
     "dat/20.dat:3: warning: lines 3 to 5 are never read: the scene leaves at a jump line on "
     "line 2\n"
     "dat/30.dat: warning: no jump, gift block or ending line leads to this scene from 00\n" +
         kNoEndingLine +
         "dat/lst.dat:4: warning: no gift prompt can ask for \"olive\": the line \">olive\" is "
         "read "
         "as a jump line, because \"ive\" (in \"olive\") at character 4\n"},
    {"PictureNameCapturedByIgnoredLine",
     Writes({{"dat/00.dat", ">img>hantei\n雨が降っていた。\n-p\n>ive>10\n"}}),
     "dat/00.dat:1: error: a picture line for \"hantei\" is read as an ignored line, because "
     "\"hantei\" at character 6 is tested before \"img\"\n"},
    {"PageBreakWrittenAsAPrompt", Writes({{"dat/10.dat", "彼女が来た。\n>p\n20\n20\n20\n"}}),
     "dat/10.dat:2: warning: the present \"p\" is not in dat/lst.dat, so it can never be given "
     "right: every answer leads to \"20\" (a page break is written \"-p\")\n"
     "dat/end2.dat: warning: end2 needs 20 to 29 love points; the most any play collects before "
     "an ending line is 10\n"
     "dat/end3.dat: warning: end3 needs 30 love points; the most any play collects before an "
     "ending line is 10\n"},
    // Gifts, points, dead ends, unread lines, unreachable files.
    {"GiftNotOnTheList", Writes({{"dat/20.dat", "夜になった。\n>ゆびわ\n10\n30\n30\n"}}),
     "dat/20.dat:2: warning: the present \"ゆびわ\" is not in dat/lst.dat, so it can never be "
     "given right: every answer leads to \"30\"\n" +
         kNoEnd3Before20},
    {"GiftSpelledWithABlank", Writes({{"dat/20.dat", "夜になった。\n>指輪 \n10\n30\n30\n"}}),
     "dat/20.dat:2: warning: the present \"指輪 \" is not in dat/lst.dat, so it can never be given "
     "right: every answer leads to \"30\" (dat/lst.dat:2 has \"指輪\"\n" +
         kNoEnd3Before20},
    {"PointsLineNotANumber", Writes({{"dat/20.dat", "夜になった。\n>指輪\nたくさん\n30\n30\n"}}),
     "dat/20.dat:3: warning: the points line \"たくさん\" is not a plain whole number: the game "
     "reads it as 0\n" +
         kNoEnd3Before20},
    {"PointsLineWithWords", Writes({{"dat/20.dat", "夜になった。\n>指輪\n10点\n30\n30\n"}}),
     "dat/20.dat:3: warning: the points line \"10点\" is not a plain whole number: the game reads "
     "it as 10\n"},
    {"PointsLineNotWhole", Writes({{"dat/20.dat", "夜になった。\n>指輪\n2.5\n30\n30\n"}}),
     "dat/20.dat:3: warning: \"2.5\" is not a plain whole number: the game reads it as 2.5 and "
     "rounds the love points\n"
     "dat/end3.dat: warning: the most any play collects before an ending line is 22\n"},
    {"SceneEndsOnText", Writes({{"dat/end2.dat", "おわり。\n-p\nまたね。\n"}}),
     "dat/end2.dat:3: error: the scene ends on story text\n"},
    {"SceneEndsOnAPageBreak", Writes({{"dat/end2.dat", "おわり。\n-p\n"}}),
     "dat/end2.dat:2: error: the scene ends on a page break\n"},
    {"LinesAfterAJump",
     Writes({{"dat/00.dat", ">img>room\n雨が降っていた。\n-p\n>ive>10\n続き。\n"}}),
     "dat/00.dat:5: warning: line 5 is never read: the scene leaves at a jump line on line 4\n"},
    {"LineTooLongAfterAJump",
     Writes({{"dat/00.dat", ">img>room\n雨が降っていた。\n-p\n>ive>10\n" + kLongLine + "\n"}}),
     "dat/00.dat:5: warning: line 5 is never read: the scene leaves at a jump line on line 4 (line "
     "5 is longer than 1048576 bytes\n"},
    {"EmptyLinesAfterARestart", Writes({{"dat/end1.dat", "おわり。\n-p\n>end\n\n\n"}}),
     "dat/end1.dat:4: note: the empty lines 4 to 5 are never read: the scene leaves at a restart "
     "line on line 3\n"},
    {"LinesAfterAGiftBlock", Writes({{"dat/10.dat", "彼女が来た。\n>花\n20\n20\n20\n>ive>20\n"}}),
     "dat/10.dat:6: warning: line 6 is never read: the scene leaves at the gift block on line 2\n"},
    {"SceneFileNothingReaches", Writes({{"dat/99.dat", "使われない場面。\n>ive>10\n"}}),
     "dat/99.dat: warning: no jump, gift block or ending line leads to this scene from 00\n"},
    {"SceneNoPlayReaches",
     Writes({{"dat/20.dat", "夜になった。\n>ゆびわ\n10\n25\n30\n"},
             {"dat/25.dat", "指輪だ。\n>ive>30\n"}}),
     "dat/20.dat:2: warning: the present \"ゆびわ\" is not in dat/lst.dat\n"
     "dat/25.dat: warning: no play reaches this scene: only the right gift at dat/20.dat:2 leads "
     "here, and no play can give \"ゆびわ\" there\n" +
         kNoEnd3Before20},
    {"RightGiftNoPlayCanGive",
     Writes({{"dat/10.dat", "彼女が来た。\n>花\n20\n20\n30\n"},
             {"dat/20.dat", "夜になった。\n>花\n10\n30\n30\n"}}),
     "dat/20.dat:2: warning: no play can give \"花\" right here\n" + kNoEnd3Before20},
    // Pictures and the tune: warnings, the game goes on without them.
    {"MissingPicture", Writes({{"dat/00.dat", ">img>rooms\n雨が降っていた。\n-p\n>ive>10\n"}}),
     "dat/00.dat:1: warning: the picture grf/rooms.dat does not exist\n"},
    {"NotAPicture", Writes({{"grf/room.dat", "not a picture\n"}}),
     "dat/00.dat:1: warning: grf/room.dat is not a picture the game can show\n"},
    {"MissingTune", Removes("dat/bgm.mid"), "dat/bgm.mid: warning: the tune does not exist\n"},
    {"TuneNotMidi", Bytes("dat/bgm.mid", "RIFF...."),
     "dat/bgm.mid: warning: the tune is not a Standard MIDI File\n"},
    // Encodings and letter case.
    {"Utf8WithoutByteOrderMark", Bytes("dat/end1.dat", "おわり。\r\n-p\r\n>end\r\n"),
     "dat/end1.dat:1: warning: this file looks like UTF-8 without a byte-order mark\n"},
    {"Utf8WithByteOrderMarkIsFine", Bytes("dat/end1.dat", "\xEF\xBB\xBFおわり。\r\n-p\r\n>end\r\n"),
     ""},
    {"UndecodableBytes",
     Bytes("dat/end1.dat", "\x82\xA8\x82\xED\x82\xE8\x85\x65\r\n-p\r\n>end\r\n"),
     "dat/end1.dat:1: warning: bytes that code page 932 cannot decode: the game shows them as � "
     "(\"おわり�\")\n"},
    {"PictureNameMatchesOnlyIgnoringCase",
     Writes({{"dat/00.dat", ">img>Room\n雨が降っていた。\n-p\n>ive>10\n"}}),
     "dat/00.dat:1: warning: the picture name \"Room\" finds grf/room.dat only when letter case is "
     "ignored\n"},
    {"SceneNameMatchesOnlyIgnoringCase",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\nside\n"},
             {"dat/Side.dat", "寄り道。\n>ive>30\n"}}),
     "dat/20.dat:5: warning: the scene name \"side\" finds dat/Side.dat only when letter case is "
     "ignored\n"},
    {"GiftListFoundOnlyIgnoringCase", Removes("dat/lst.dat", {{"dat/LST.DAT", "花\n指輪\n手紙\n"}}),
     "dat/LST.DAT: warning: the game looks for dat/lst.dat and finds this file only when letter "
     "case is ignored\n"},
    // The gift list.
    {"GiftListEmptyLine", Writes({{"dat/lst.dat", "花\n\n指輪\n手紙\n"}}),
     "dat/lst.dat:2: warning: this empty line becomes an empty entry of the gift list\n"},
    {"GiftListItemNoPromptCanAskFor", Writes({{"dat/lst.dat", "花\n指輪\n手紙\nfriendship\n"}}),
     "dat/lst.dat:4: warning: no gift prompt can ask for \"friendship\": the line \">friendship\" "
     "is read as a restart line, because \"end\" (in \"friendship\") at character 5\n"},
    {"GiftListItemTwice", Writes({{"dat/lst.dat", "花\n指輪\n手紙\n花\n"}}),
     "dat/lst.dat:4: note: \"花\" is on the list again (first on line 1)\n"},
};

std::string CaseName(const ::testing::TestParamInfo<GalleryCase>& test) { return test.param.name; }

INSTANTIATE_TEST_SUITE_P(Findings, CheckGallery, ::testing::ValuesIn(kGallery), CaseName);

}  // namespace
}  // namespace velune
