// A gallery of small broken stories, one for each thing the checker finds. Each starts
// from a clean story and breaks one thing; the expected report lists every error and
// warning exactly, and the notes that must be among the notes.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "story_folder.h"

namespace velune {
namespace {

using testing::StoryFolder;

struct GalleryCase {
  const char* name;
  std::function<void(StoryFolder&)> break_it;
  const char* expected;
};

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

TEST(CheckGallery, TheCleanStoryChecksClean) {
  StoryFolder story;
  story.WriteCleanStory();
  EXPECT_EQ(story.Report(),
            "dat/end1.dat: note: end1 is reached with 0 love points by: 10 time-out, 20 time-out\n"
            "dat/end2.dat: note: end2 is reached with 20 love points by: 10 花 (+20), 20 "
            "time-out\n"
            "dat/end3.dat: note: end3 is reached with 30 love points by: 10 花 (+20), 20 指輪 "
            "(+10)\n");
}

TEST(CheckGallery, TheBundledStoryChecksClean) {
  DiskFileSystem files;
  HeadlessPictures pictures;
  const Story story =
      LoadStory(files, pictures,
                (std::filesystem::path(__FILE__).parent_path() / "../../games/sample").string());
  std::ostringstream report;
  WriteFindingsText(report, CheckStory(story, SearchEndings(story)));
  EXPECT_EQ(report.str(),
            "dat/end1.dat: note: end1 is reached with 0 love points by: 10 time-out, 20 time-out, "
            "30 time-out\n"
            "dat/end2.dat: note: end2 is reached with 20 love points by: 10 time-out, 20 風鈴 "
            "(+10), 30 貝がら (+10)\n"
            "dat/end3.dat: note: end3 is reached with 30 love points by: 10 ラムネ (+10), 20 風鈴 "
            "(+10), 30 貝がら (+10)\n"
            "0 errors, 0 warnings, 3 notes\n");
}

const GalleryCase kGallery[] = {
    // Errors the game stops on.
    {"MissingSceneNamedByAJump",
     [](StoryFolder& s) { s.Write("dat/30.dat", "#hantei\n>ive>40\n"); },
     "dat/30.dat:2: error: the jump line opens the scene \"40\", but dat/40.dat does not exist: "
     "the game stops with an error here\n"
     "dat/end1.dat: warning: no play reaches end1: no play reaches an ending line\n"
     "dat/end2.dat: warning: no play reaches end2: no play reaches an ending line\n"
     "dat/end3.dat: warning: no play reaches end3: no play reaches an ending line\n"},
    {"MissingSceneNamedByAGiftBlock",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\n31\n"); },
     "dat/20.dat:5: error: a wrong gift or the time-out opens the scene \"31\", but dat/31.dat "
     "does not exist: the game stops with an error here\n"
     "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; plays reach an "
     "ending line with 10 or 30 love points, and nothing between\n"},
    {"MissingEndingThatAPlayReaches", [](StoryFolder& s) { s.Remove("dat/end3.dat"); },
     "dat/30.dat:2: error: with 30 love points the ending line opens end3, but dat/end3.dat does "
     "not exist: the game stops with an error here\n"},
    {"MissingSceneZero", [](StoryFolder& s) { s.Remove("dat/00.dat"); },
     "dat/00.dat: error: scene 00 does not exist: every game starts with it, so the game stops "
     "with an error at once\n"},
    {"NameOutsideTheGameFolder",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\n../../30\n"); },
     "dat/20.dat:5: error: a wrong gift or the time-out opens \"../../30\", which does not name a "
     "file in the game folder: the game stops with an error here\n"
     "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; plays reach an "
     "ending line with 10 or 30 love points, and nothing between\n"},
    {"EmptyJumpName", [](StoryFolder& s) { s.Write("dat/30.dat", "#hantei\n>ive>\n"); },
     "dat/30.dat:2: error: the jump line opens an empty scene name, that is the file dat/.dat, "
     "which does not exist: the game stops with an error here\n"
     "dat/end1.dat: warning: no play reaches end1: no play reaches an ending line\n"
     "dat/end2.dat: warning: no play reaches end2: no play reaches an ending line\n"
     "dat/end3.dat: warning: no play reaches end3: no play reaches an ending line\n"},
    {"EmptySceneFile",
     [](StoryFolder& s) {
       s.Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\n25\n");
       s.Write("dat/25.dat", "");
     },
     "dat/25.dat: error: the scene file is empty: the game stops with an error when it reads its "
     "first line\n"
     "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; plays reach an "
     "ending line with 10 or 30 love points, and nothing between\n"},
    {"FileRunsOutInsideAGiftBlock",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\n"); },
     "dat/20.dat:2: error: the gift block has 2 of the three lines it needs after the prompt "
     "(points, the scene after the right gift, the scene otherwise): the game reads past the end "
     "of the file and stops with an error after a wrong gift or the time-out\n"
     "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; plays reach an "
     "ending line with 10 or 30 love points, and nothing between\n"},
    {"FileRunsOutAfterAPictureLine",
     [](StoryFolder& s) {
       s.Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\n25\n");
       s.Write("dat/25.dat", "静かな夜。\n>img>room\n");
     },
     "dat/25.dat:2: error: the file ends right after a picture line: the game reads past the end "
     "and stops with an error; end the scene with a jump, an ending line, a restart or a gift "
     "block\n"
     "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; plays reach an "
     "ending line with 10 or 30 love points, and nothing between\n"},
    {"FileRunsOutAfterAnIgnoredLine",
     [](StoryFolder& s) { s.Write("dat/30.dat", "#hantei メモ\n"); },
     "dat/30.dat:1: error: the file ends right after an ignored line: the game reads past the end "
     "and stops with an error; end the scene with a jump, an ending line, a restart or a gift "
     "block\n"
     "dat/end1.dat: warning: no play reaches end1: no play reaches an ending line\n"
     "dat/end2.dat: warning: no play reaches end2: no play reaches an ending line\n"
     "dat/end3.dat: warning: no play reaches end3: no play reaches an ending line\n"},
    {"PictureLineTooShort",
     [](StoryFolder& s) { s.Write("dat/end1.dat", "おわり。\n>img\n>end\n"); },
     "dat/end1.dat:2: error: a picture line \">img\" is shorter than five characters: the game "
     "stops with an error here; the name starts at the sixth character, as in \">img>town\"\n"},
    {"JumpLineTooShort", [](StoryFolder& s) { s.Write("dat/end2.dat", "おわり。\n-p\n>ive\n"); },
     "dat/end2.dat:3: error: a jump line \">ive\" is shorter than five characters: the game stops "
     "with an error here; the name starts at the sixth character, as in \">ive>10\"\n"},
    {"MissingGiftList", [](StoryFolder& s) { s.Remove("dat/lst.dat"); },
     "dat/lst.dat: error: the gift list does not exist: the game stops with an error at the start "
     "of every game\n"},
    // Lines the game reads differently from how they look.
    {"StoryLineTakenAsARestart",
     [](StoryFolder& s) { s.Write("dat/end1.dat", "See you next weekend.\n-p\n>end\n"); },
     "dat/end1.dat:1: error: the story line \"See you next weekend.\" is read as a restart line, "
     "because of \"end\" (in \"weekend\") at character 18: the game starts over here\n"
     "dat/end1.dat:2: warning: lines 2 to 3 are never read: the scene leaves at a restart line on "
     "line 1\n"},
    {"StoryLineTakenAsAnEnding",
     [](StoryFolder& s) { s.Write("dat/end2.dat", "pending\n-p\n>end\n"); },
     "dat/end2.dat:1: error: the story line \"pending\" is read as an ending line, because of "
     "\"ending\" (in \"pending\") at character 2: the game goes to an ending here\n"
     "dat/end2.dat:2: warning: lines 2 to 3 are never read: the scene leaves at an ending line on "
     "line 1\n"},
    {"StoryLineTakenAsAJump",
     [](StoryFolder& s) { s.Write("dat/end3.dat", "Olive oil\n-p\n>end\n"); },
     "dat/end3.dat:1: error: the story line \"Olive oil\" is read as a jump line, because of "
     "\"ive\" (in \"Olive\") at character 3: the game jumps to the scene \" oil\" here\n"
     "dat/end3.dat:1: error: the jump line opens the scene \" oil\", but dat/ oil.dat does not "
     "exist: the game stops with an error here (the name \" oil\" has blanks around it)\n"
     "dat/end3.dat:2: warning: lines 2 to 3 are never read: the scene leaves at a jump line on "
     "line 1\n"},
    {"StoryLineTakenAsAPicture",
     [](StoryFolder& s) { s.Write("dat/00.dat", ">img>room\nHis img tag\n-p\n>ive>10\n"); },
     "dat/00.dat:2: warning: the story line \"His img tag\" is read as a picture line, because of "
     "\"img\" at character 5: it is not shown, and the game looks for the picture \"mg tag\" "
     "instead\n"
     "dat/00.dat:2: warning: the picture grf/mg tag.dat does not exist: the game keeps the picture "
     "it shows\n"},
    {"StoryLineTakenAsAnIgnoredLine",
     [](StoryFolder& s) { s.Write("dat/00.dat", ">img>room\n「hantei」\n-p\n>ive>10\n"); },
     "dat/00.dat:2: warning: the story line \"「hantei」\" is read as an ignored line, because of "
     "\"hantei\" at character 2: it is skipped and never shown\n"},
    {"StoryLineTakenAsAPageBreak",
     [](StoryFolder& s) { s.Write("dat/00.dat", ">img>room\nSo happy!\n-p\n>ive>10\n"); },
     "dat/00.dat:2: warning: the story line \"So happy!\" is read as a page break, because of "
     "\"p\" (in \"happy\") at character 6: it is not shown, and the page ends here\n"},
    {"JumpToAnEndingRestarts",
     [](StoryFolder& s) { s.Write("dat/30.dat", "#hantei\n>ive>end1\n"); },
     "dat/30.dat:2: error: a jump line to \"end1\" is read as a restart line, because \"end\" at "
     "character 6 is tested before \"ive\": the game starts over here\n"
     "dat/end1.dat: warning: no play reaches end1: no play reaches an ending line\n"
     "dat/end2.dat: warning: no play reaches end2: no play reaches an ending line\n"
     "dat/end3.dat: warning: no play reaches end3: no play reaches an ending line\n"},
    {"PromptCapturedByAJump",
     [](StoryFolder& s) {
       s.Write("dat/lst.dat", "花\n指輪\n手紙\nolive\n");
       s.Write("dat/20.dat", "夜になった。\n>olive\n10\n30\n30\n");
     },
     "dat/20.dat:2: error: a gift prompt for \"olive\" is read as a jump line, because \"ive\" (in "
     "\"olive\") at character 4 is tested before a prompt: the game jumps to the scene \"e\" here\n"
     "dat/20.dat:2: error: the jump line opens the scene \"e\", but dat/e.dat does not exist: the "
     "game stops with an error here\n"
     "dat/20.dat:3: warning: lines 3 to 5 are never read: the scene leaves at a jump line on line "
     "2\n"
     "dat/30.dat: warning: no jump, gift block or ending line leads to this scene from 00: no play "
     "ever shows it\n"
     "dat/end1.dat: warning: no play reaches end1: no play reaches an ending line\n"
     "dat/end2.dat: warning: no play reaches end2: no play reaches an ending line\n"
     "dat/end3.dat: warning: no play reaches end3: no play reaches an ending line\n"
     "dat/lst.dat:4: warning: no gift prompt can ask for \"olive\": the line \">olive\" is read as "
     "a jump line, because \"ive\" (in \"olive\") at character 4 is tested before a prompt\n"},
    {"PictureNameCapturedByIgnoredLine",
     [](StoryFolder& s) { s.Write("dat/00.dat", ">img>hantei\n雨が降っていた。\n-p\n>ive>10\n"); },
     "dat/00.dat:1: error: a picture line for \"hantei\" is read as an ignored line, because "
     "\"hantei\" at character 6 is tested before \"img\": it is skipped and never shown\n"},
    {"PageBreakWrittenAsAPrompt",
     [](StoryFolder& s) { s.Write("dat/10.dat", "彼女が来た。\n>p\n20\n20\n20\n"); },
     "dat/10.dat:2: warning: the present \"p\" is not in dat/lst.dat, so it can never be given "
     "right: every answer leads to \"20\" (a page break is written \"-p\")\n"
     "dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; the most any "
     "play collects before an ending line is 10\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 10\n"},
    // Gifts, points, dead ends, unread lines, unreachable files.
    {"GiftNotOnTheList",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>ゆびわ\n10\n30\n30\n"); },
     "dat/20.dat:2: warning: the present \"ゆびわ\" is not in dat/lst.dat, so it can never be "
     "given right: every answer leads to \"30\"\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 20\n"},
    {"GiftSpelledWithABlank",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>指輪 \n10\n30\n30\n"); },
     "dat/20.dat:2: warning: the present \"指輪 \" is not in dat/lst.dat, so it can never be given "
     "right: every answer leads to \"30\" (dat/lst.dat:2 has \"指輪\"; the names must match "
     "exactly)\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 20\n"},
    {"PointsLineNotANumber",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>指輪\nたくさん\n30\n30\n"); },
     "dat/20.dat:3: warning: the points line \"たくさん\" is not a plain whole number: the game "
     "reads it as 0\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 20\n"},
    {"PointsLineWithWords",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>指輪\n10点\n30\n30\n"); },
     "dat/20.dat:3: warning: the points line \"10点\" is not a plain whole number: the game reads "
     "it as 10\n"},
    {"PointsLineNotWhole",
     [](StoryFolder& s) { s.Write("dat/20.dat", "夜になった。\n>指輪\n2.5\n30\n30\n"); },
     "dat/20.dat:3: warning: the points line \"2.5\" is not a plain whole number: the game reads "
     "it as 2.5 and rounds the love points to a whole number (halves to the even one)\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 22\n"},
    {"SceneEndsOnText", [](StoryFolder& s) { s.Write("dat/end2.dat", "おわり。\n-p\nまたね。\n"); },
     "dat/end2.dat:3: error: the scene ends on story text: the game shows the continue mark and "
     "stands still for good; end the scene with a jump, an ending line, a restart or a gift "
     "block\n"},
    {"SceneEndsOnAPageBreak", [](StoryFolder& s) { s.Write("dat/end2.dat", "おわり。\n-p\n"); },
     "dat/end2.dat:2: error: the scene ends on a page break: the game shows the continue mark and "
     "stands still for good; end the scene with a jump, an ending line, a restart or a gift "
     "block\n"},
    {"LinesAfterAJump",
     [](StoryFolder& s) {
       s.Write("dat/00.dat", ">img>room\n雨が降っていた。\n-p\n>ive>10\n続き。\n");
     },
     "dat/00.dat:5: warning: line 5 is never read: the scene leaves at a jump line on line 4\n"},
    {"EmptyLinesAfterARestart",
     [](StoryFolder& s) { s.Write("dat/end1.dat", "おわり。\n-p\n>end\n\n\n"); },
     "dat/end1.dat:4: note: the empty lines 4 to 5 are never read: the scene leaves at a restart "
     "line on line 3\n"},
    {"LinesAfterAGiftBlock",
     [](StoryFolder& s) { s.Write("dat/10.dat", "彼女が来た。\n>花\n20\n20\n20\n>ive>20\n"); },
     "dat/10.dat:6: warning: line 6 is never read: the scene leaves at the gift block on line 2\n"},
    {"SceneFileNothingReaches",
     [](StoryFolder& s) { s.Write("dat/99.dat", "使われない場面。\n>ive>10\n"); },
     "dat/99.dat: warning: no jump, gift block or ending line leads to this scene from 00: no play "
     "ever shows it\n"},
    {"SceneNoPlayReaches",
     [](StoryFolder& s) {
       s.Write("dat/20.dat", "夜になった。\n>ゆびわ\n10\n25\n30\n");
       s.Write("dat/25.dat", "指輪だ。\n>ive>30\n");
     },
     "dat/20.dat:2: warning: the present \"ゆびわ\" is not in dat/lst.dat, so it can never be "
     "given right: every answer leads to \"30\"\n"
     "dat/25.dat: warning: no play reaches this scene: only the right gift at dat/20.dat:2 leads "
     "here, and no play can give \"ゆびわ\" there\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 20\n"},
    {"RightGiftNoPlayCanGive",
     [](StoryFolder& s) {
       s.Write("dat/10.dat", "彼女が来た。\n>花\n20\n20\n30\n");
       s.Write("dat/20.dat", "夜になった。\n>花\n10\n30\n30\n");
     },
     "dat/20.dat:2: warning: no play can give \"花\" right here: every play that gets here has "
     "given it away before\n"
     "dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any play "
     "collects before an ending line is 20\n"},
    // Pictures and the tune: warnings, the game goes on without them.
    {"MissingPicture",
     [](StoryFolder& s) { s.Write("dat/00.dat", ">img>rooms\n雨が降っていた。\n-p\n>ive>10\n"); },
     "dat/00.dat:1: warning: the picture grf/rooms.dat does not exist: the game keeps the picture "
     "it shows\n"},
    {"NotAPicture", [](StoryFolder& s) { s.Write("grf/room.dat", "not a picture\n"); },
     "dat/00.dat:1: warning: grf/room.dat is not a picture the game can show (a BMP, JPEG or GIF "
     "file): the game keeps the picture it shows\n"},
    {"MissingTune", [](StoryFolder& s) { s.Remove("dat/bgm.mid"); },
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
       s.WriteBytes("dat/end1.dat", "\x82\xA8\x82\xED\x82\xE8\xFF\r\n-p\r\n>end\r\n");
     },
     "dat/end1.dat:1: warning: this line holds bytes that code page 932 cannot decode: the game "
     "shows them as � (\"おわり�\"); save the file as Shift-JIS, or as UTF-8 with a byte-order "
     "mark\n"},
    {"PictureNameMatchesOnlyIgnoringCase",
     [](StoryFolder& s) { s.Write("dat/00.dat", ">img>Room\n雨が降っていた。\n-p\n>ive>10\n"); },
     "dat/00.dat:1: warning: the picture name \"Room\" finds grf/room.dat only when letter case is "
     "ignored; write it as the file is named\n"},
    {"SceneNameMatchesOnlyIgnoringCase",
     [](StoryFolder& s) {
       s.Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\nside\n");
       s.Write("dat/Side.dat", "寄り道。\n>ive>30\n");
     },
     "dat/20.dat:5: warning: the scene name \"side\" finds dat/Side.dat only when letter case is "
     "ignored; write it as the file is named\n"},
    {"GiftListFoundOnlyIgnoringCase",
     [](StoryFolder& s) {
       s.Remove("dat/lst.dat");
       s.Write("dat/LST.DAT", "花\n指輪\n手紙\n");
     },
     "dat/LST.DAT: warning: the game looks for dat/lst.dat and finds this file only when letter "
     "case is ignored; name it dat/lst.dat\n"},
    // The gift list.
    {"GiftListEmptyLine", [](StoryFolder& s) { s.Write("dat/lst.dat", "花\n\n指輪\n手紙\n"); },
     "dat/lst.dat:2: warning: this empty line becomes an empty entry of the gift list; remove "
     "it\n"},
    {"GiftListItemNoPromptCanAskFor",
     [](StoryFolder& s) { s.Write("dat/lst.dat", "花\n指輪\n手紙\nfriendship\n"); },
     "dat/lst.dat:4: warning: no gift prompt can ask for \"friendship\": the line \">friendship\" "
     "is read as a restart line, because \"end\" (in \"friendship\") at character 5 is tested "
     "before a prompt\n"},
    {"GiftListItemTwice", [](StoryFolder& s) { s.Write("dat/lst.dat", "花\n指輪\n手紙\n花\n"); },
     "dat/lst.dat:4: note: \"花\" is on the list again (first on line 1): it can be given twice, "
     "and either entry is right where it is wanted\n"},
};

std::string CaseName(const ::testing::TestParamInfo<GalleryCase>& test) { return test.param.name; }

INSTANTIATE_TEST_SUITE_P(Findings, CheckGallery, ::testing::ValuesIn(kGallery), CaseName);

}  // namespace
}  // namespace velune
