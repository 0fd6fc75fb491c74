// A gallery of small broken stories, one for each thing the checker finds. Each starts
// from a clean story and breaks one thing; the expected report lists every error and
// warning exactly, and the notes that must be among the notes.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "story/line_reader.h"
#include "story_folder.h"

namespace velune {
namespace {

using testing::StoryFolder;

// A line one byte longer than the game's reader takes.
const std::string kLongLine(kLongestLine + 1, 'x');

using Files = std::vector<std::pair<std::string, std::string>>;  // path, UTF-8 text

// Breaks the clean story: writes files into it as StoryFolder::Write does.
std::function<void(StoryFolder&)> Writes(Files files) {
  return [files](StoryFolder& s) {
    for (const auto& [path, text] : files) s.Write(path, text);
  };
}

// Breaks the clean story: removes a file, and writes others.
std::function<void(StoryFolder&)> Removes(std::string removed, Files files = {}) {
  return [removed, files](StoryFolder& s) {
    s.Remove(removed);
    Writes(files)(s);
  };
}

struct GalleryCase {
  const char* name;
  std::function<void(StoryFolder&)> break_it;
  std::string expected;
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
    "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
    "collects before an ending line is 20\n";

std::vector<std::string> Lines(const std::string& text, bool notes) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if ((line.find(": note: ") != std::string::npos) == notes) lines.push_back(line);
  }
  return lines;
}

class CheckGallery : public ::testing::TestWithParam<GalleryCase> {};

TEST_P(CheckGallery, ReportsTheFinding) {
  StoryFolder story;
  story.WriteCleanStory();
  GetParam().break_it(story);
  const std::string report = story.Report();
  EXPECT_EQ(Lines(report, false), Lines(GetParam().expected, false)) << report;
  for (const std::string& note : Lines(GetParam().expected, true)) {
    EXPECT_NE(report.find(note + "\n"), std::string::npos) << note << "\nnot in:\n" << report;
  }
}

TEST(CheckGallery, CleanStoriesCheckClean) {
  StoryFolder story;
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
  StoryFolder story;
  story.WriteCleanStory();
  OneUnreadableFile files(story.Path() + "/dat/20.dat");
  EXPECT_EQ(Lines(testing::CheckReport(story.Path(), kDefaultStateLimit, &files), false),
            Lines("dat/20.dat: error: the scene file cannot be read (input/output error): the "
                  "game stops with an error when it opens it\n"
                  "dat/30.dat: warning: no jump, gift block or ending line leads to this scene "
                  "from 00: no play ever shows it\n" +
                      kNoEndingLine,
                  false));
}

const GalleryCase kGallery[] = {
    // Errors the game stops on.
    {"MissingSceneNamedByAJump", Writes({{"dat/30.dat", "#hantei\n>ive>40\n"}}),
     "dat/30.dat:2: error: the jump line opens the scene \"40\", but dat/40.dat does not exist: "
     "the game stops with an error here\n" +
         kNoEndingLine},
    {"MissingSceneNamedByAGiftBlock", Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n31\n"}}),
     "dat/20.dat:5: error: a wrong gift or the time-out opens the scene \"31\", but dat/31.dat "
     "does not exist: the game stops with an error here\n" +
         kNoEnd2Between},
    {"MissingEndingThatAPlayReaches", Removes("dat/end3.dat"),
     "dat/30.dat:2: error: with 30 love points the ending line opens end3, but dat/end3.dat does "
     "not exist: the game stops with an error here\n"},
    {"MissingEndingNamedByAGiftBlock",
     Removes("dat/end3.dat", {{"dat/20.dat", "夜になった。\n>指輪\n10\nend3\n30\n"}}),
     "dat/20.dat:4: error: the right gift opens the scene \"end3\", but dat/end3.dat does not "
     "exist: the game stops with an error here\n"},
    // A story may leave out an ending that no play reaches.
    {"MissingEndingNoPlayReaches",
     Removes("dat/end3.dat", {{"dat/20.dat", "夜になった。\n>指輪\n5\n30\n30\n"}}),
     "dat/end3.dat: note: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 25\n"},
    {"MissingSceneZero", Removes("dat/00.dat"),
     "dat/00.dat: error: scene 00 does not exist: every game starts with it, so the game stops "
     "with an error at once\n"},
    {"NameOutsideTheGameFolder",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n../../30\n"}}),
     "dat/20.dat:5: error: a wrong gift or the time-out opens \"../../30\", which does not name a "
     "file in the game folder: the game stops with an error here\n" +
         kNoEnd2Between},
    {"EmptyJumpName", Writes({{"dat/30.dat", "#hantei\n>ive>\n"}}),
     "dat/30.dat:2: error: the jump line opens an empty scene name, that is the file dat/.dat, "
     "which does not exist: the game stops with an error here\n" +
         kNoEndingLine},
    {"EmptySceneFile",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n25\n"}, {"dat/25.dat", ""}}),
     "dat/25.dat: error: the scene file is empty: the game stops with an error when it reads its "
     "first line\n" +
         kNoEnd2Between},
    {"FileRunsOutInsideAGiftBlock", Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n"}}),
     "dat/20.dat:2: error: the gift block has 2 of the three lines it needs after the prompt "
     "(points, the scene after the right gift, the scene otherwise): the game reads past the end "
     "of the file and stops with an error after a wrong gift or the time-out\n" +
         kNoEnd2Between},
    {"FileRunsOutAfterAPictureLine",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n25\n"},
             {"dat/25.dat", "静かな夜。\n>img>room\n"}}),
     "dat/25.dat:2: error: the file ends right after a picture line: the game reads past the end "
     "and stops with an error; end the scene with a jump, an ending line, a restart or a gift "
     "block\n" +
         kNoEnd2Between},
    {"FileRunsOutAfterAnIgnoredLine", Writes({{"dat/30.dat", "#hantei メモ\n"}}),
     "dat/30.dat:1: error: the file ends right after an ignored line: the game reads past the end "
     "and stops with an error; end the scene with a jump, an ending line, a restart or a gift "
     "block\n" +
         kNoEndingLine},
    {"PictureLineTooShort", Writes({{"dat/end1.dat", "おわり。\n>img\n>end\n"}}),
     "dat/end1.dat:2: error: a picture line \">img\" is shorter than five characters: the game "
     "stops with an error here; the name starts at the sixth character, as in \">img>town\"\n"},
    {"JumpLineTooShort", Writes({{"dat/end2.dat", "おわり。\n-p\n>ive\n"}}),
     "dat/end2.dat:3: error: a jump line \">ive\" is shorter than five characters: the game stops "
     "with an error here; the name starts at the sixth character, as in \">ive>10\"\n"},
    {"LineTooLongWhereTheGameReadsIt",
     Writes({{"dat/end1.dat", "おわり。\n" + kLongLine + "\n>end\n"}}),
     "dat/end1.dat:2: error: this line is longer than 1048576 bytes, too long for a story line: "
     "the game stops with an error when it reads it\n"},
    {"LineTooLongInAGiftBlock",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\n" + kLongLine + "\n"}}),
     "dat/20.dat:5: error: this line of the gift block on line 2 is longer than 1048576 bytes, too "
     "long for a story line: the game stops with an error when it reads it, after a wrong gift or "
     "the time-out\n" +
         kNoEnd2Between},
    {"LineTooLongInTheGiftList", Writes({{"dat/lst.dat", "花\n指輪\n" + kLongLine + "\n手紙\n"}}),
     "dat/lst.dat:3: error: this line is longer than 1048576 bytes, too long for a story line: the "
     "game stops with an error at the start of every game, when it reads the gift list\n"},
    {"MissingGiftList", Removes("dat/lst.dat"),
     "dat/lst.dat: error: the gift list does not exist: the game stops with an error at the start "
     "of every game\n"},
    // Lines the game reads differently from how they look.
    {"StoryLineTakenAsARestart", Writes({{"dat/end1.dat", "See you next weekend.\n-p\n>end\n"}}),
     "dat/end1.dat:1: error: the story line \"See you next weekend.\" is read as a restart line, "
     "because of \"end\" (in \"weekend\") at character 18: the game starts over here\n"
     "dat/end1.dat:2: warning: lines 2 to 3 are never read: the scene leaves at a restart line on "
     "line 1\n"},
    {"StoryLineTakenAsAnEnding", Writes({{"dat/end2.dat", "pending\n-p\n>end\n"}}),
     "dat/end2.dat:1: error: the story line \"pending\" is read as an ending line, because of "
     "\"ending\" (in \"pending\") at character 2: the game goes to an ending here\n"
     "dat/end2.dat:2: warning: lines 2 to 3 are never read: the scene leaves at an ending line on "
     "line 1\n"},
    {"StoryLineTakenAsAJump", Writes({{"dat/end3.dat", "Olive oil\n-p\n>end\n"}}),
     "dat/end3.dat:1: error: the story line \"Olive oil\" is read as a jump line, because of "
     "\"ive\" (in \"Olive\") at character 3: the game jumps to the scene \" oil\" here\n"
     "dat/end3.dat:1: error: the jump line opens the scene \" oil\", but dat/ oil.dat does not "
     "exist: the game stops with an error here (the name \" oil\" has blanks around it)\n"
     "dat/end3.dat:2: warning: lines 2 to 3 are never read: the scene leaves at a jump line on "
     "line 1\n"},
    {"StoryLineTakenAsAPicture", Writes({{"dat/00.dat", ">img>room\nHis img tag\n-p\n>ive>10\n"}}),
     "dat/00.dat:2: warning: the story line \"His img tag\" is read as a picture line, because of "
     "\"img\" at character 5: it is not shown, and the game looks for the picture \"mg tag\" "
     "instead\n"
     "dat/00.dat:2: warning: the picture grf/mg tag.dat does not exist: the game keeps the picture "
     "it shows\n"},
    {"StoryLineTakenAsAnIgnoredLine",
     Writes({{"dat/00.dat", ">img>room\n「hantei」\n-p\n>ive>10\n"}}),
     "dat/00.dat:2: warning: the story line \"「hantei」\" is read as an ignored line, because of "
     "\"hantei\" at character 2: it is skipped and never shown\n"},
    {"StoryLineTakenAsAPageBreak", Writes({{"dat/00.dat", ">img>room\nSo happy!\n-p\n>ive>10\n"}}),
     "dat/00.dat:2: warning: the story line \"So happy!\" is read as a page break, because of "
     "\"p\" (in \"happy\") at character 6: it is not shown, and the page ends here\n"},
    {"JumpToAnEndingRestarts", Writes({{"dat/30.dat", "#hantei\n>ive>end1\n"}}),
     "dat/30.dat:2: error: a jump line to \"end1\" is read as a restart line, because \"end\" at "
     "character 6 is tested before \"ive\": the game starts over here\n" +
         kNoEndingLine},
    {"PromptCapturedByAJump",
     Writes({{"dat/lst.dat", "花\n指輪\n手紙\nolive\n"},
             {"dat/20.dat", "夜になった。\n>olive\n10\n30\n30\n"}}),
     "dat/20.dat:2: error: a gift prompt for \"olive\" is read as a jump line, because \"ive\" (in "
     "\"olive\") at character 4 is tested before a prompt: the game jumps to the scene \"e\" here\n"
     "dat/20.dat:2: error: the jump line opens the scene \"e\", but dat/e.dat does not exist: the "
     "game stops with an error here\n"
     "dat/20.dat:3: warning: lines 3 to 5 are never read: the scene leaves at a jump line on line "
     "2\n"
     "dat/30.dat: warning: no jump, gift block or ending line leads to this scene from 00: no play "
     "ever shows it\n" +
         kNoEndingLine +
         "dat/lst.dat:4: warning: no gift prompt can ask for \"olive\": the line \">olive\" is "
         "read as "
         "a jump line, because \"ive\" (in \"olive\") at character 4 is tested before a prompt\n"},
    {"PictureNameCapturedByIgnoredLine",
     Writes({{"dat/00.dat", ">img>hantei\n雨が降っていた。\n-p\n>ive>10\n"}}),
     "dat/00.dat:1: error: a picture line for \"hantei\" is read as an ignored line, because "
     "\"hantei\" at character 6 is tested before \"img\": it is skipped and never shown\n"},
    {"PageBreakWrittenAsAPrompt", Writes({{"dat/10.dat", "彼女が来た。\n>p\n20\n20\n20\n"}}),
     "dat/10.dat:2: warning: the present \"p\" is not in dat/lst.dat, so it can never be given "
     "right: every answer leads to \"20\" (a page break is written \"-p\")\n"
     "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; the most any "
     "play collects before an ending line is 10\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 10\n"},
    // Gifts, points, dead ends, unread lines, unreachable files.
    {"GiftNotOnTheList", Writes({{"dat/20.dat", "夜になった。\n>ゆびわ\n10\n30\n30\n"}}),
     "dat/20.dat:2: warning: the present \"ゆびわ\" is not in dat/lst.dat, so it can never be "
     "given right: every answer leads to \"30\"\n" +
         kNoEnd3Before20},
    {"GiftSpelledWithABlank", Writes({{"dat/20.dat", "夜になった。\n>指輪 \n10\n30\n30\n"}}),
     "dat/20.dat:2: warning: the present \"指輪 \" is not in dat/lst.dat, so it can never be given "
     "right: every answer leads to \"30\" (dat/lst.dat:2 has \"指輪\"; the names must match "
     "exactly)\n" +
         kNoEnd3Before20},
    {"PointsLineNotANumber", Writes({{"dat/20.dat", "夜になった。\n>指輪\nたくさん\n30\n30\n"}}),
     "dat/20.dat:3: warning: the points line \"たくさん\" is not a plain whole number: the game "
     "reads it as 0\n" +
         kNoEnd3Before20},
    {"PointsLineWithWords", Writes({{"dat/20.dat", "夜になった。\n>指輪\n10点\n30\n30\n"}}),
     "dat/20.dat:3: warning: the points line \"10点\" is not a plain whole number: the game reads "
     "it as 10\n"},
    {"PointsLineNotWhole", Writes({{"dat/20.dat", "夜になった。\n>指輪\n2.5\n30\n30\n"}}),
     "dat/20.dat:3: warning: the points line \"2.5\" is not a plain whole number: the game reads "
     "it as 2.5 and rounds the love points to a whole number (halves to the even one)\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 22\n"},
    {"SceneEndsOnText", Writes({{"dat/end2.dat", "おわり。\n-p\nまたね。\n"}}),
     "dat/end2.dat:3: error: the scene ends on story text: the game shows the continue mark and "
     "stands still for good; end the scene with a jump, an ending line, a restart or a gift "
     "block\n"},
    {"SceneEndsOnAPageBreak", Writes({{"dat/end2.dat", "おわり。\n-p\n"}}),
     "dat/end2.dat:2: error: the scene ends on a page break: the game shows the continue mark and "
     "stands still for good; end the scene with a jump, an ending line, a restart or a gift "
     "block\n"},
    {"LinesAfterAJump",
     Writes({{"dat/00.dat", ">img>room\n雨が降っていた。\n-p\n>ive>10\n続き。\n"}}),
     "dat/00.dat:5: warning: line 5 is never read: the scene leaves at a jump line on line 4\n"},
    {"LineTooLongAfterAJump",
     Writes({{"dat/00.dat", ">img>room\n雨が降っていた。\n-p\n>ive>10\n" + kLongLine + "\n"}}),
     "dat/00.dat:5: warning: line 5 is never read: the scene leaves at a jump line on line 4 (line "
     "5 is longer than 1048576 bytes, too long for a story line)\n"},
    {"EmptyLinesAfterARestart", Writes({{"dat/end1.dat", "おわり。\n-p\n>end\n\n\n"}}),
     "dat/end1.dat:4: note: the empty lines 4 to 5 are never read: the scene leaves at a restart "
     "line on line 3\n"},
    {"LinesAfterAGiftBlock", Writes({{"dat/10.dat", "彼女が来た。\n>花\n20\n20\n20\n>ive>20\n"}}),
     "dat/10.dat:6: warning: line 6 is never read: the scene leaves at the gift block on line 2\n"},
    {"SceneFileNothingReaches", Writes({{"dat/99.dat", "使われない場面。\n>ive>10\n"}}),
     "dat/99.dat: warning: no jump, gift block or ending line leads to this scene from 00: no play "
     "ever shows it\n"},
    {"SceneNoPlayReaches",
     Writes({{"dat/20.dat", "夜になった。\n>ゆびわ\n10\n25\n30\n"},
             {"dat/25.dat", "指輪だ。\n>ive>30\n"}}),
     "dat/20.dat:2: warning: the present \"ゆびわ\" is not in dat/lst.dat, so it can never be "
     "given right: every answer leads to \"30\"\n"
     "dat/25.dat: warning: no play reaches this scene: only the right gift at dat/20.dat:2 leads "
     "here, and no play can give \"ゆびわ\" there\n" +
         kNoEnd3Before20},
    {"RightGiftNoPlayCanGive",
     Writes({{"dat/10.dat", "彼女が来た。\n>花\n20\n20\n30\n"},
             {"dat/20.dat", "夜になった。\n>花\n10\n30\n30\n"}}),
     "dat/20.dat:2: warning: no play can give \"花\" right here: every play that gets here has "
     "given it away before\n" +
         kNoEnd3Before20},
    // Pictures and the tune: warnings, the game goes on without them.
    {"MissingPicture", Writes({{"dat/00.dat", ">img>rooms\n雨が降っていた。\n-p\n>ive>10\n"}}),
     "dat/00.dat:1: warning: the picture grf/rooms.dat does not exist: the game keeps the picture "
     "it shows\n"},
    {"NotAPicture", Writes({{"grf/room.dat", "not a picture\n"}}),
     "dat/00.dat:1: warning: grf/room.dat is not a picture the game can show (a BMP, JPEG or GIF "
     "file): the game keeps the picture it shows\n"},
    {"MissingTune", Removes("dat/bgm.mid"),
     "dat/bgm.mid: warning: the tune does not exist: the game plays without music\n"},
    {"TuneNotMidi", [](StoryFolder& s) { s.WriteBytes("dat/bgm.mid", "RIFF...."); },
     "dat/bgm.mid: warning: the tune is not a Standard MIDI File (format 0 or 1): the game plays "
     "without music\n"},
    // Encodings and letter case.
    {"Utf8WithoutByteOrderMark",
     [](StoryFolder& s) { s.WriteBytes("dat/end1.dat", "おわり。\r\n-p\r\n>end\r\n"); },
     "dat/end1.dat:1: warning: this file looks like UTF-8 without a byte-order mark: the game "
     "reads it as code page 932 (Shift-JIS) and shows garbled text; save it as Shift-JIS, or as "
     "UTF-8 with a byte-order mark\n"},
    {"Utf8WithByteOrderMarkIsFine",
     [](StoryFolder& s) { s.WriteBytes("dat/end1.dat", "\xEF\xBB\xBFおわり。\r\n-p\r\n>end\r\n"); },
     ""},
    {"UndecodableBytes",
     [](StoryFolder& s) {
       s.WriteBytes("dat/end1.dat", "\x82\xA8\x82\xED\x82\xE8\x85\x65\r\n-p\r\n>end\r\n");
     },
     "dat/end1.dat:1: warning: this line holds bytes that code page 932 cannot decode: the game "
     "shows them as � (\"おわり�\"); save the file as Shift-JIS, or as UTF-8 with a byte-order "
     "mark\n"},
    {"PictureNameMatchesOnlyIgnoringCase",
     Writes({{"dat/00.dat", ">img>Room\n雨が降っていた。\n-p\n>ive>10\n"}}),
     "dat/00.dat:1: warning: the picture name \"Room\" finds grf/room.dat only when letter case is "
     "ignored; write it as the file is named\n"},
    {"SceneNameMatchesOnlyIgnoringCase",
     Writes({{"dat/20.dat", "夜になった。\n>指輪\n10\n30\nside\n"},
             {"dat/Side.dat", "寄り道。\n>ive>30\n"}}),
     "dat/20.dat:5: warning: the scene name \"side\" finds dat/Side.dat only when letter case is "
     "ignored; write it as the file is named\n"},
    {"GiftListFoundOnlyIgnoringCase", Removes("dat/lst.dat", {{"dat/LST.DAT", "花\n指輪\n手紙\n"}}),
     "dat/LST.DAT: warning: the game looks for dat/lst.dat and finds this file only when letter "
     "case is ignored; name it dat/lst.dat\n"},
    // The gift list.
    {"GiftListEmptyLine", Writes({{"dat/lst.dat", "花\n\n指輪\n手紙\n"}}),
     "dat/lst.dat:2: warning: this empty line becomes an empty entry of the gift list; remove "
     "it\n"},
    {"GiftListItemNoPromptCanAskFor", Writes({{"dat/lst.dat", "花\n指輪\n手紙\nfriendship\n"}}),
     "dat/lst.dat:4: warning: no gift prompt can ask for \"friendship\": the line \">friendship\" "
     "is read as a restart line, because \"end\" (in \"friendship\") at character 5 is tested "
     "before a prompt\n"},
    {"GiftListItemTwice", Writes({{"dat/lst.dat", "花\n指輪\n手紙\n花\n"}}),
     "dat/lst.dat:4: note: \"花\" is on the list again (first on line 1): it can be given twice, "
     "and either entry is right where it is wanted\n"},
};

std::string CaseName(const ::testing::TestParamInfo<GalleryCase>& test) { return test.param.name; }

INSTANTIATE_TEST_SUITE_P(Findings, CheckGallery, ::testing::ValuesIn(kGallery), CaseName);

}  // namespace
}  // namespace velune
