// A gallery of small broken stories, one for each thing the checker finds. Each starts
// from a clean story and breaks one thing. The full wording of the findings is in
// docs/authoring.md.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "story/line_reader.h"
#include "story/memory_files.h"
#include "story/translation.h"
#include "story_folder.h"

namespace velune {
namespace {

const std::string kLong(kLongestLine + 1, 'x');  // one byte more than the reader takes

// How a case breaks the clean story: a file or two written from UTF-8 text; a path after
// "-" is removed, one after "=" gets the bytes as they are, one after "!" fails when read.
struct GalleryCase {
  const char* name;
  std::string path, text;
  std::string expected;  // findings, one a line
  std::string path2 = {}, text2 = {};
};

// What many of the broken stories lead to.
const std::string kNoEnding =
    "dat/end1.dat: warning: end1: no play reaches an ending line\n"
    "dat/end2.dat: warning: end2: no play reaches an ending line\n"
    "dat/end3.dat: warning: end3: no play reaches an ending line\n";
const std::string kNoEnd2 =
    "dat/end2.dat: warning: with 10 or 30 love points, and nothing between\n";
const std::string kNoEnd3 = "dat/end3.dat: warning: collects before an ending line is 20\n";

std::string PngBytes() {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

void PrintTo(const GalleryCase& c, std::ostream* out) { *out << c.name; }

class CheckGallery : public ::testing::TestWithParam<GalleryCase> {};

TEST_P(CheckGallery, ReportsTheFinding) {
  testing::ToolStory story;
  story.WriteCleanStory();
  for (const auto& [path, text] : {std::pair{GetParam().path, GetParam().text},
                                   std::pair{GetParam().path2, GetParam().text2}}) {
    if (path.empty()) continue;
    if (path[0] == '-') story.Remove(path.substr(1));
    if (path[0] == '=') story.Bytes(path.substr(1), text);
    if (path[0] != '-' && path[0] != '=' && path[0] != '!') story.Write(path, text);
  }
  testing::FailingReads<DiskFileSystem> files;
  if (GetParam().path[0] == '!') files.failing = GetParam().path.substr(1);
  const std::string english = testing::CheckReport(story.Path(), kDefaultStateLimit, &files);
  testing::ExpectFindings(english, GetParam().expected);
  testing::ExpectSameFindingsInJapanese(
      english, testing::InJapanese(
                   [&] { return testing::CheckReport(story.Path(), kDefaultStateLimit, &files); }));
}

TEST(CheckGallery, CleanStoriesCheckClean) {
  testing::ToolStory story;
  story.WriteCleanStory();
  EXPECT_EQ(story.Report(),
            "dat/end1.dat: note: end1 is reached with 0 love points by: 10 time-out, 20 time-out "
            "[ending-reached]\n"
            "dat/end2.dat: note: end2 is reached with 20 love points by: 10 花 (+20), 20 "
            "time-out [ending-reached]\n"
            "dat/end3.dat: note: end3 is reached with 30 love points by: 10 花 (+20), 20 指輪 "
            "(+10) [ending-reached]\n");
  EXPECT_EQ(testing::CheckReport(testing::SamplePath()),
            "dat/end1.dat: note: end1 is reached with 0 love points by: 10 time-out, 20 time-out, "
            "30 time-out [ending-reached]\n"
            "dat/end2.dat: note: end2 is reached with 20 love points by: 10 time-out, 20 風鈴 "
            "(+10), 30 貝がら (+10) [ending-reached]\n"
            "dat/end3.dat: note: end3 is reached with 30 love points by: 10 ラムネ (+10), 20 風鈴 "
            "(+10), 30 貝がら (+10) [ending-reached]\n");
}

// One broken story's whole report, summary included, as an English and a Japanese author
// read it: the identifiers, places and quoted names stay, the rest speaks their language.
TEST(CheckReport, TheWholeReportInEachLanguage) {
  testing::ToolStory story;
  story.WriteCleanStory();
  story.Write("dat/00.dat", ">img>rooms\n雨が降っていた。\n-p\n>ive>10\n");
  story.Write("dat/10.dat", "彼女が来た。\n>花束\n１０\n20\n20\n");
  const Story loaded = story.Load();
  const std::pair<Language, std::string> cases[] = {
      {Language::kEnglish,
       "s/dat/00.dat:1: warning: the picture grf/rooms.dat does not exist: the game keeps the "
       "picture it shows (did you mean \"room\"?) [missing-picture]\n"
       "s/dat/10.dat:2: warning: the present \"花束\" is not in dat/lst.dat, so it can never be "
       "given right: every answer leads to \"20\" (did you mean \"花\", on dat/lst.dat:1? The "
       "names must match exactly) [unknown-item]\n"
       "s/dat/10.dat:3: warning: the points line \"１０\" is written with full-width digits, "
       "which the game does not take for a number: it reads 0; write \"10\" "
       "[full-width-digits]\n"
       "s/dat/end1.dat: note: end1 is reached with 0 love points by: 10 time-out, 20 time-out "
       "[ending-reached]\n"
       "s/dat/end2.dat: warning: no play reaches end2: end2 needs 20 to 29 love points; the most "
       "any play collects before an ending line is 10 [unreached-ending]\n"
       "s/dat/end3.dat: warning: no play reaches end3: end3 needs 30 love points; the most any "
       "play collects before an ending line is 10 [unreached-ending]\n"
       "0 errors, 5 warnings, 1 note\n"},
      {Language::kJapanese,
       "s/dat/00.dat:1: 警告: 画像 grf/rooms.dat がありません。ゲームは今表示している画像を"
       "そのまま残します (\"room\" のまちがいではありませんか?) [missing-picture]\n"
       "s/dat/10.dat:2: 警告: プレゼント \"花束\" は dat/lst.dat にないため、正しいプレゼントと"
       "して渡すことができません。どの答えでも \"20\" に進みます (dat/lst.dat:1 の \"花\" の"
       "まちがいではありませんか? 名前は完全に一致していなければなりません) [unknown-item]\n"
       "s/dat/10.dat:3: 警告: ポイント行 \"１０\" は全角数字で書かれていますが、ゲームは全角"
       "数字を数として読みません: 0 と読まれます。\"10\" と書いてください [full-width-digits]\n"
       "s/dat/end1.dat: 備考: end1 には好感度 0 で行き着きます。道筋: 10 時間切れ、20 時間切れ "
       "[ending-reached]\n"
       "s/dat/end2.dat: 警告: end2 に行き着くプレイはありません: end2 には好感度 20〜29 が必要"
       "ですが、エンディング行までに集められる好感度は最大で 10 です [unreached-ending]\n"
       "s/dat/end3.dat: 警告: end3 に行き着くプレイはありません: end3 には好感度 30 以上が必要"
       "ですが、エンディング行までに集められる好感度は最大で 10 です [unreached-ending]\n"
       "エラー 0 件、警告 5 件、備考 1 件\n"},
  };
  for (const auto& [language, expected] : cases) {
    UseLanguage(language);
    std::ostringstream report;
    WriteFindingsText(report, CheckStory(loaded, SearchEndings(loaded, kDefaultStateLimit)), "s");
    UseLanguage(Language::kEnglish);
    EXPECT_EQ(report.str(), expected);
  }
}

const GalleryCase kGallery[] = {
    // Errors the game stops on.
    {"MissingSceneNamedByAJump", "dat/30.dat", "#hantei\n>ive>40\n",
     "dat/30.dat:2: error: the jump line opens the scene \"40\", but dat/40.dat\n" + kNoEnding},
    {"MissingSceneNamedByAGiftBlock", "dat/20.dat", "夜\n>指輪\n10\n30\n31\n",
     "dat/20.dat:5: error: a wrong gift or the time-out opens the scene \"31\"\n" + kNoEnd2},
    {"MissingEndingThatAPlayReaches", "-dat/end3.dat", "",
     "dat/30.dat:2: error: with 30 love points the ending line opens end3, but dat/end3.dat\n"},
    {"MissingEndingNamedByAGiftBlock", "-dat/end3.dat", "",
     "dat/20.dat:4: error: the right gift opens the scene \"end3\"\n", "dat/20.dat",
     "夜\n>指輪\n10\nend3\n30\n"},
    // A story may leave out an ending that no play reaches.
    {"MissingEndingNoPlayReaches", "-dat/end3.dat", "",
     "dat/end3.dat: note: collects before an ending line is 25\n", "dat/20.dat",
     "夜\n>指輪\n5\n30\n30\n"},
    {"FileTheGameCannotRead", "!dat/20.dat", "",
     "dat/20.dat: error: cannot be read (I/O error)\ndat/30.dat: warning: leads to this scene\n" +
         kNoEnding},
    {"MissingSceneZero", "-dat/00.dat", "", "dat/00.dat: error: scene 00 does not exist\n"},
    {"NameOutsideTheGameFolder", "dat/20.dat", "夜\n>指輪\n10\n30\n../../30\n",
     "dat/20.dat:5: error: time-out opens \"../../30\", which does not name a file\n" + kNoEnd2},
    {"SceneNameWithBlanks", "dat/20.dat", "夜\n>指輪\n10\n30\n30 \n",
     "dat/20.dat:5: error: (the name \"30 \" has blanks around it; did you mean \"30\"?)\n" +
         kNoEnd2},
    {"EmptyJumpName", "dat/30.dat", "#hantei\n>ive>\n",
     "dat/30.dat:2: error: opens an empty scene name, that is the file dat/.dat\n" + kNoEnding},
    {"EmptySceneFile", "dat/20.dat", "夜\n>指輪\n10\n30\n25\n",
     "dat/25.dat: error: the scene file is empty\n" + kNoEnd2, "dat/25.dat", ""},
    {"FileRunsOutInsideAGiftBlock", "dat/20.dat", "夜\n>指輪\n10\n30\n",
     "dat/20.dat:2: error: the gift block has 2 of the three lines it needs after the prompt "
     "(points, the scene after the right gift, the scene otherwise)\n" +
         kNoEnd2},
    {"FileRunsOutAfterAPictureLine", "dat/20.dat", "夜\n>指輪\n10\n30\n25\n",
     "dat/25.dat:2: error: the file ends right after a picture line\n" + kNoEnd2, "dat/25.dat",
     "夜\n>img>room\n"},
    {"FileRunsOutAfterAnIgnoredLine", "dat/30.dat", "#hantei メモ\n",
     "dat/30.dat:1: error: the file ends right after an ignored line\n" + kNoEnding},
    {"PictureLineTooShort", "dat/end1.dat", "お\n>img\n>end\n",
     "dat/end1.dat:2: error: a picture line \">img\" is shorter than five characters\n"},
    {"JumpLineTooShort", "dat/end2.dat", "お\n-p\n>ive\n",
     "dat/end2.dat:3: error: a jump line \">ive\" is shorter than five characters\n"},
    {"LineTooLongWhereTheGameReadsIt", "dat/end1.dat", "お\n" + kLong + "\n>end\n",
     "dat/end1.dat:2: error: longer than 1048576 bytes, too long for a story line\n"},
    {"LineTooLongInAGiftBlock", "dat/20.dat", "夜\n>指輪\n10\n30\n" + kLong + "\n",
     "dat/20.dat:5: error: the gift block on line 2 is longer than 1048576 bytes\n" + kNoEnd2},
    {"LineTooLongInTheGiftList", "dat/lst.dat", "花\n指輪\n" + kLong + "\n手紙\n",
     "dat/lst.dat:3: error: when it reads the gift list\n"},
    {"MissingGiftList", "-dat/lst.dat", "", "dat/lst.dat: error: the gift list does not\n"},
    // Lines the game reads differently from how they look.
    {"StoryLineTakenAsARestart", "dat/end1.dat", "See you next weekend.\n-p\n>end\n",
     "dat/end1.dat:1: error: \"See you next weekend.\" is read as a restart line, because of "
     "\"end\" (in \"weekend\") at character 18\n"
     "dat/end1.dat:2: warning: lines 2 to 3 are never read\n"},
    {"StoryLineStartingWithADigit", "dat/end1.dat", "0end\n-p\n>end\n",
     "dat/end1.dat:1: error: \"0end\" is read as a restart line\n"
     "dat/end1.dat:2: warning: lines 2 to 3 are never read\n"},
    {"StoryLineTakenAsAnEnding", "dat/end2.dat", "pending\n-p\n>end\n",
     "dat/end2.dat:1: error: ending line, because of \"ending\" (in \"pending\") at character 2\n"
     "dat/end2.dat:2: warning: leaves at an ending line on line 1\n"},
    {"StoryLineTakenAsAJump", "dat/end3.dat", "Olive oil\n-p\n>end\n",
     "dat/end3.dat:1: error: (in \"Olive\") at character 3: the game jumps to the scene \" oil\"\n"
     "dat/end3.dat:1: error: (the name \" oil\" has blanks around it)\n"
     "dat/end3.dat:2: warning: leaves at a jump line on line 1\n"},
    {"StoryLineTakenAsAPicture", "dat/00.dat", ">img>room\nHis img tag\n-p\n>ive>10\n",
     "dat/00.dat:2: warning: picture line, because of \"img\" at character 5\n"
     "dat/00.dat:2: warning: the picture grf/mg tag.dat does not exist\n"},
    {"StoryLineTakenAsAnIgnoredLine", "dat/00.dat", ">img>room\n「hantei」\n-p\n>ive>10\n",
     "dat/00.dat:2: warning: because of \"hantei\" at character 2: it is skipped\n"},
    {"StoryLineTakenAsAPageBreak", "dat/00.dat", ">img>room\nSo happy!\n-p\n>ive>10\n",
     "dat/00.dat:2: warning: as a page break, because of \"p\" (in \"happy\") at character 6\n"},
    {"JumpToAnEndingRestarts", "dat/30.dat", "#hantei\n>ive>end1\n",
     "dat/30.dat:2: error: because \"end\" at character 6 is tested before \"ive\"\n" + kNoEnding},
    {"PromptCapturedByAJump", "dat/lst.dat", "花\n指輪\n手紙\nolive\n",
     "dat/20.dat:2: error: (in \"olive\") at character 4 is tested before a prompt\n"
     "dat/20.dat:2: error: the jump line opens the scene \"e\"\n"
     "dat/20.dat:3: warning: lines 3 to 5 are never read\n"
     "dat/30.dat: warning: no jump, gift block or ending line leads to this scene\n" +
         kNoEnding + "dat/lst.dat:4: warning: (in \"olive\") at character 4 is tested before\n",
     "dat/20.dat", "夜\n>olive\n10\n30\n30\n"},
    {"PictureNameCapturedByIgnoredLine", "dat/00.dat", ">img>hantei\n雨\n-p\n>ive>10\n",
     "dat/00.dat:1: error: picture line for \"hantei\" is read as an ignored line\n"},
    {"PageBreakWrittenAsAPrompt", "dat/10.dat", "彼女\n>p\n20\n20\n20\n",
     "dat/10.dat:2: warning: every answer leads to \"20\" (a page break is written \"-p\")\n"
     "dat/end2.dat: warning: collects before an ending line is 10\n"
     "dat/end3.dat: warning: collects before an ending line is 10\n"},
    // Gifts, points, dead ends, unread lines, unreachable files.
    {"GiftNotOnTheList", "dat/20.dat", "夜\n>ゆびわ\n10\n30\n30\n",
     "dat/20.dat:2: warning: \"ゆびわ\" is not in dat/lst.dat, so it can never be given right\n" +
         kNoEnd3},
    {"GiftSpelledWithABlank", "dat/20.dat", "夜\n>指輪 \n10\n30\n30\n",
     "dat/20.dat:2: warning: \"30\" (did you mean \"指輪\", on dat/lst.dat:2? The names must "
     "match exactly) [unknown-item]\n" +
         kNoEnd3},
    {"GiftWithAKanjiTypo", "dat/20.dat", "夜\n>指環\n10\n30\n30\n",
     "dat/20.dat:2: warning: \"30\" (did you mean \"指輪\", on dat/lst.dat:2? The names must "
     "match exactly) [unknown-item]\n" +
         kNoEnd3},
    {"PointsLineNotANumber", "dat/20.dat", "夜\n>指輪\nたくさん\n30\n30\n",
     "dat/20.dat:3: warning: \"たくさん\" is not a plain whole number: the game reads it as 0\n" +
         kNoEnd3},
    {"PointsLineWithWords", "dat/20.dat", "夜\n>指輪\n10点\n30\n30\n",
     "dat/20.dat:3: warning: \"10点\" is not a plain whole number: the game reads it as 10\n"},
    {"PointsInFullWidthDigits", "dat/20.dat", "夜\n>指輪\n１０\n30\n30\n",
     "dat/20.dat:3: warning: \"１０\" is written with full-width digits, which the game does not "
     "take for a number: it reads 0; write \"10\" [full-width-digits]\n" +
         kNoEnd3},
    {"PointsLineNotWhole", "dat/20.dat", "夜\n>指輪\n2.5\n30\n30\n",
     "dat/20.dat:3: warning: as 2.5 and rounds the love points to a whole number (halves to the "
     "even one)\n"
     "dat/end3.dat: warning: collects before an ending line is 22\n"},
    {"SceneEndsOnText", "dat/end2.dat", "お\n-p\nまたね。\n",
     "dat/end2.dat:3: error: the scene ends on story text: the game shows the continue mark\n"},
    {"SceneEndsOnAPageBreak", "dat/end2.dat", "お\n-p\n",
     "dat/end2.dat:2: error: the scene ends on a page break: the game shows the continue mark\n"},
    {"LinesAfterAJump", "dat/00.dat", ">img>room\n雨\n-p\n>ive>10\n続き。\n",
     "dat/00.dat:5: warning: line 5 is never read: the scene leaves at a jump line on line 4\n"},
    {"LineTooLongAfterAJump", "dat/00.dat", ">img>room\n雨\n-p\n>ive>10\n" + kLong + "\n",
     "dat/00.dat:5: warning: on line 4 (line 5 is longer than 1048576 bytes, too long for a story "
     "line)\n"},
    {"EmptyLinesAfterARestart", "dat/end1.dat", "お\n-p\n>end\n\n\n",
     "dat/end1.dat:4: note: the empty lines 4 to 5 are never read: the scene leaves at a "
     "restart\n"},
    {"LinesAfterAGiftBlock", "dat/10.dat", "彼女\n>花\n20\n20\n20\n>ive>20\n",
     "dat/10.dat:6: warning: line 6 is never read: the scene leaves at the gift block on line 2\n"},
    {"SceneFileNothingReaches", "dat/99.dat", "使われない。\n>ive>10\n",
     "dat/99.dat: warning: no jump, gift block or ending line leads to this scene from 00\n"},
    {"SceneNoPlayReaches", "dat/20.dat", "夜\n>ゆびわ\n10\n25\n30\n",
     "dat/20.dat:2: warning: the present \"ゆびわ\" is not in dat/lst.dat\n"
     "dat/25.dat: warning: only the right gift at dat/20.dat:2 leads here\n" +
         kNoEnd3,
     "dat/25.dat", "指輪だ。\n>ive>30\n"},
    {"RightGiftNoPlayCanGive", "dat/10.dat", "彼女\n>花\n20\n20\n30\n",
     "dat/20.dat:2: warning: \"花\" right here: every play that gets here has given it away\n" +
         kNoEnd3,
     "dat/20.dat", "夜\n>花\n10\n30\n30\n"},
    // Pictures and the tune: warnings, the game goes on without them.
    {"MissingPicture", "dat/00.dat", ">img>rooms\n雨\n-p\n>ive>10\n",
     "dat/00.dat:1: warning: grf/rooms.dat does not exist: the game keeps the picture it shows "
     "(did you mean \"room\"?) [missing-picture]\n"},
    {"SceneNameInHalfWidthKana", "dat/30.dat", "#hantei\n>ive>ｴﾝﾃﾞｨﾝｸﾞ\n",
     "dat/30.dat:2: error: (did you mean \"エンディング\"?) [missing-scene]\n" + kNoEnding +
         "dat/エンディング.dat: warning: no jump, gift block or ending line leads to this scene\n",
     "dat/エンディング.dat", ">end\n"},
    {"PngPicture", "=grf/room.dat", PngBytes(),
     "dat/00.dat:1: note: grf/room.dat is a PNG picture: Velune shows it, but the original "
     "Windows game reads only BMP, JPEG and GIF pictures [png-picture]\n"},
    {"NotAPicture", "grf/room.dat", "not a picture\n",
     "dat/00.dat:1: warning: grf/room.dat is not a picture the game can show (a BMP, JPEG or GIF "
     "file)\n"},
    {"MissingTune", "-dat/bgm.mid", "", "dat/bgm.mid: warning: the tune does not exist\n"},
    {"TuneNotMidi", "=dat/bgm.mid", "RIFF....",
     "dat/bgm.mid: warning: the tune is not a Standard MIDI File (format 0 or 1)\n"},
    {"TuneTooLargeForTheGame", "=dat/bgm.mid",
     testing::TuneOfMs(1000) + std::string(17 << 20, '\0'),
     "dat/bgm.mid: warning: the tune is not a Standard MIDI File (format 0 or 1)\n"},
    // Encodings and letter case.
    {"Utf8WithoutByteOrderMark", "=dat/end1.dat", "お\r\n-p\r\n>end\r\n",
     "dat/end1.dat:1: warning: UTF-8 without a byte-order mark: the game reads it as code page "
     "932 (Shift-JIS)\n"},
    {"Utf8WithByteOrderMarkIsFine", "=dat/end1.dat", "\xEF\xBB\xBFお\r\n-p\r\n>end\r\n", ""},
    {"UndecodableBytes", "=dat/end1.dat", "\x82\xA8\x82\xED\x85\x65\r\n-p\r\n>end\r\n",
     "dat/end1.dat:1: warning: the game shows them as � (\"おわ�\")\n"},
    {"SceneSavedAsUtf16", "=dat/end1.dat", std::string("\xFF\xFE>\0e\0n\0d\0\r\0\n\0", 14),
     "dat/end1.dat: error: saved as UTF-16 (Notepad's \"Unicode\"), which the game cannot read: "
     "it sees none of its lines as written; save it as Shift-JIS or as UTF-8 with a byte-order "
     "mark [utf16-file]\n"},
    {"PictureNameMatchesOnlyIgnoringCase", "dat/00.dat", ">img>Room\n雨\n>img>Room\n-p\n>ive>10\n",
     "dat/00.dat:1: note: the game looks for grf/Room.dat and finds grf/room.dat only because it "
     "ignores letter case, for 2 lines: rename grf/room.dat to grf/Room.dat [name-case]\n"},
    {"SceneNameMatchesOnlyIgnoringCase", "dat/20.dat", "夜\n>指輪\n10\n30\nside\n",
     "dat/20.dat:5: note: rename dat/Side.dat to dat/side.dat\n", "dat/Side.dat",
     "寄り道。\n>ive>30\n"},
    {"GiftListFoundOnlyIgnoringCase", "-dat/lst.dat", "",
     "dat/LST.DAT: note: the game looks for dat/lst.dat and finds dat/LST.DAT\n", "dat/LST.DAT",
     "花\n指輪\n手紙\n"},
    {"NoDatFolder", "-dat", "",
     ": error: there is no dat/ folder here: give the game folder, the one that holds dat/ and "
     "grf/ [not-a-story-folder]\n"},
    {"DatFolderGivenForTheGameFolder", "-dat", "",
     ": error: this folder holds the scene files itself, as a dat/ folder does: give the folder "
     "above it\n",
     "00.dat", ">ive>10\n"},
    {"NoEndingLineButAGiftNamesAnEnding", "dat/30.dat", "お\n-p\n>end\n",
     "dat/20.dat:2: warning: \"ゆびわ\" is not in dat/lst.dat\n"
     "dat/end1.dat: warning: end1: no play reaches an ending line\n"
     "dat/end2.dat: warning: an ending line, nor a line that names end2\n"
     "dat/end3.dat: warning: end3: no play reaches an ending line\n",
     "dat/20.dat", "夜\n>ゆびわ\n10\nend2\n30\n"},
    // The gift list.
    {"GiftListEmptyLine", "dat/lst.dat", "花\n\n指輪\n手紙\n",
     "dat/lst.dat:2: warning: this empty line becomes an empty entry of the gift list\n"},
    {"GiftListItemNoPromptCanAskFor", "dat/lst.dat", "花\n指輪\n手紙\nfriendship\n",
     "dat/lst.dat:4: warning: (in \"friendship\") at character 5 is tested before a prompt\n"},
    {"GiftListItemTwice", "dat/lst.dat", "花\n指輪\n手紙\n花\n",
     "dat/lst.dat:4: note: \"花\" is on the list again (first on line 1)\n"},
};

INSTANTIATE_TEST_SUITE_P(Findings, CheckGallery, ::testing::ValuesIn(kGallery),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace velune
