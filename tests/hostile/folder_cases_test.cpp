// Story folders that someone else wrote, holding anything at all. Whatever a folder holds,
// the game plays by its rules or stops with one error that names the file (and the line),
// within generous bounds of time and memory; it never crashes, hangs or runs away.
#include <gtest/gtest.h>

#include <QImage>

#include "hostile_folder.h"
#include "media/test_files.h"
#include "story/line_reader.h"

namespace velune::testing {
namespace {

using nlohmann::json;

const std::string kMark = "\u3000\u3000\u25BC";  // the continue mark
const std::string kFffd = "\uFFFD";

// The gift list and a first scene that waits on its first page.
void Basics(const HostileFolder& folder) {
  folder.Lines("dat/lst.dat", {"a", "b", "c"});
  folder.Scene("00", {"hello", "-p", ">end"});
}

std::string TooLong(const std::string& file, int line) {
  return "cannot read " + file + ": line " + std::to_string(line) +
         " is longer than 1048576 bytes, too long for a story line";
}
const std::string kNotPlain = ": it is not a plain file (a device, a pipe or a socket)";
const std::string kLoop = ": Too many levels of symbolic links";
const std::string kUnreadable = ": the file cannot be read";
std::string Outside(const std::string& name) {
  return "the scene name \"" + name +
         "\" does not name a file in the game folder (named on dat/00.dat, line 1)";
}

// One folder: what it holds over the basics, how it is played, and what must come of it
// within its bounds.
struct FolderCase {
  const char* name;
  std::function<void(const HostileFolder&)> write;
  const char* script;
  json last;  // what the last output line holds; with "error", the one error the game stops on
  Bounds bounds = {};
  bool not_as_root = false;  // root reads whatever the permissions say
};
void PrintTo(const FolderCase& c, std::ostream* out) { *out << c.name; }

// A first scene that jumps to `jump`, and a scene 10 to jump to.
FolderCase Jump(const char* name, const std::string& jump, json last) {
  return {name,
          [jump](const HostileFolder& f) {
            f.Scene("00", {">ive>" + jump});
            f.Scene("10", {"inside"});
          },
          "wait 200\nshow\n", std::move(last)};
}

// A folder that the game stops on at once, with the one error that it gives.
FolderCase Stops(const char* name, std::function<void(const HostileFolder&)> write,
                 std::string error) {
  return {name, std::move(write), "wait 1000\n", {{"error", std::move(error)}}};
}

// A tune that is no tune: the game runs without music.
FolderCase Tune(const char* name, std::function<void(const HostileFolder&)> write) {
  return {name,
          std::move(write),
          "wait 5000\nshow\n",
          {{"music", "closed"}, {"text", "hello" + kMark}}};
}

const std::vector<FolderCase>& Cases() {
  static const std::vector<FolderCase> cases{
      // Invalid and truncated Shift-JIS shows replacement characters: in the gift list "あ"
      // and half a character, then the file cut short; in the scene a lone lead byte, a
      // character and half of one, an undefined byte, a lead byte before the line end, and
      // the file cut inside a character.
      {"InvalidAndTruncatedShiftJis",
       [](const auto& f) {
         f.Bytes("dat/lst.dat", "\x82\xA0\x82\r\n\x82");
         f.Bytes("dat/00.dat",
                 "\x82\r\n\x82\xA0\x82\r\na\x85\x65"
                 "b\r\n\x81\r\n\x82");
       },
       "wait 600\nshow\n",
       {{"text",
         kFffd + "\r\nあ" + kFffd + "\r\na" + kFffd + "b\r\n" + kFffd + "\r\n" + kFffd + kMark},
        {"items", json::array({"あ" + kFffd, kFffd})},
        {"reader", "idle"}}},  // the scene ran out after a text line
      // Over-long lines are refused, naming the file and the line.
      {"ATenMegabyteSceneLine",
       [](const auto& f) {
         f.Bytes("dat/00.dat", "first\r\n" + std::string(10'000'000, 'a') + "\r\n>end\r\n");
       },
       "wait 1000\nshow\n",
       {{"t", 200}, {"error", TooLong("dat/00.dat", 2)}}},
      Stops(
          "ATenMegabyteGiftList",
          [](const auto& f) { f.Bytes("dat/lst.dat", std::string(10'000'000, 'b')); },
          TooLong("dat/lst.dat", 1)),
      {"FourGigabytesWithoutALineEndAreRefusedAfterTheFirstMegabyte",
       [](const auto& f) {
         f.Bytes("dat/00.dat", "");
         fs::resize_file(f.At("dat/00.dat"), 4ULL << 30);  // sparse: no disk taken
       },
       "wait 1000\n",
       {{"error", TooLong("dat/00.dat", 1)}},
       Bounds{.resident_mb = 200}},
      {"ALineOfTheLongestLengthStillPlays",
       [](const auto& f) { f.Scene("00", {std::string(kLongestLine, 'x')}); },
       "wait 100\nshow\n",
       {{"text", std::string(kLongestLine, 'x') + kMark}}},
      {"AMillionLinesPlayThroughInSkippingMode",
       [](const auto& f) {
         std::string scene;
         for (int i = 0; i < 1'000'000; ++i) scene += i % 7 == 6 ? "-p\r\n" : "line\r\n";
         f.Bytes("dat/00.dat", scene + ">ive>10\r\n");
         f.Scene("10", {"fin"});
       },
       "wait 100\nclick right\nwait 1100000\nshow\n",
       {{"scene", "10"}, {"reader", "idle"}, {"text", "line\r\nfin" + kMark}}},
      // One jump every 100 ms: 100,000 of them.
      {"AHundredThousandJumps",
       [](const auto& f) {
         f.Scene("00", {">ive>10"});
         f.Scene("10", {">ive>00"});
       },
       "wait 10000050\nshow\n",
       {{"scene", "00"}, {"reader", "reading"}}},
      // A new game every 100 ms: 10,000 of them, each reading the whole gift list again.
      {"RestartsInATightLoop",
       [](const auto& f) { f.Scene("00", {">end"}); },
       "wait 1000050\nshow\n",
       {{"items", json::array({"a", "b", "c"})}, {"love", 0}}},
      // Devices and pipes are refused instead of read for ever; as a picture or the tune
      // they are no picture and no tune, and the game goes on.
      Stops(
          "DevZeroAsAScene", [](const auto& f) { f.Link("dat/00.dat", "/dev/zero"); },
          "cannot open dat/00.dat" + kNotPlain),
      Stops(
          "APipeAsAScene", [](const auto& f) { f.Pipe("dat/00.dat"); },
          "cannot open dat/00.dat" + kNotPlain),
      {"PipesAndDevicesAsPicturesAndTune",
       [](const auto& f) {
         f.Scene("00", {">img>pipe", ">img>zero", "shown", "-p", ">end"});
         f.Pipe("grf/pipe.dat");
         f.Link("grf/zero.dat", "/dev/zero");
         f.Pipe("dat/bgm.mid");
       },
       "wait 300\nshow\n",
       {{"text", "shown"}, {"picture", nullptr}, {"music", "closed"}}},
      // A folder where a file is expected; a picture or a tune that is a folder is simply
      // not there; a scene folder that is a file holds no scene and no gift list.
      Stops(
          "AFolderAsAScene", [](const auto& f) { f.Folder("dat/00.dat"); },
          "cannot open dat/00.dat: it is a folder, not a file"),
      Stops(
          "AFolderAsTheGiftList", [](const auto& f) { f.Folder("dat/lst.dat"); },
          "cannot open dat/lst.dat: it is a folder, not a file"),
      {"FoldersAsAPictureAndTheTune",
       [](const auto& f) {
         f.Scene("00", {">img>room", "shown"});
         f.Folder("grf/room.dat");
         f.Folder("dat/bgm.mid");
       },
       "wait 500\nshow\n",
       {{"picture", nullptr}, {"music", "closed"}}},
      Stops(
          "AFileAsTheSceneFolder",
          [](const auto& f) {
            fs::remove_all(f.At("dat"));
            f.Bytes("dat", "not a folder");
          },
          "cannot open dat/lst.dat: no such file"),
      // Even for root, reading a process's memory from its start fails with an I/O error:
      // reported as unreadable, not as a scene that ends too soon.
      Stops(
          "UnreadableGiftList", [](const auto& f) { f.Link("dat/lst.dat", "/proc/self/mem"); },
          "cannot read dat/lst.dat" + kUnreadable),
      Stops(
          "UnreadableLaterScene",
          [](const auto& f) {
            f.Scene("00", {">ive>10"});
            f.Link("dat/10.dat", "/proc/self/mem");
          },
          "cannot read dat/10.dat" + kUnreadable),
      {"ASceneNobodyMayRead",
       [](const auto& f) { fs::permissions(f.At("dat/00.dat"), fs::perms::none); },
       "wait 1000\n",
       {{"error", "cannot open dat/00.dat: the file cannot be opened for reading"}},
       {},
       true},
      // Symbolic link loops are reported as such; a folder that contains itself is a way
      // there, and a picture that is a loop is not there.
      Stops(
          "ALinkLoopAsAScene",
          [](const auto& f) {
            f.Link("dat/00.dat", "loop.dat");
            f.Link("dat/loop.dat", "00.dat");
          },
          "cannot open dat/00.dat" + kLoop),
      Stops(
          "ALinkLoopAsTheGiftList", [](const auto& f) { f.Link("dat/lst.dat", "lst.dat"); },
          "cannot open dat/lst.dat" + kLoop),
      {"AFolderInsideItselfAndALoopingPicture",
       [](const auto& f) {
         f.Link("dat/self", ".");
         f.Scene("00", {">img>loop", ">ive>self/self/SELF/10"});
         f.Scene("10", {"reached"});
         f.Link("grf/loop.dat", "loop.dat");
       },
       "wait 500\nshow\n",
       {{"text", "reached" + kMark}, {"picture", nullptr}}},
      // Names that lead out of the game folder are refused; an absolute path is a path
      // inside it, and inside it ".." is just a way there.
      Jump("AJumpUpAndOut", "../../../etc/passwd", {{"error", Outside("../../../etc/passwd")}}),
      Jump("AJumpUpAndOutWithBackslashes", "..\\..\\..\\etc\\passwd",
           {{"error", Outside("..\\..\\..\\etc\\passwd")}}),
      Jump("AJumpWithANulByte",
           std::string("1\0"
                       "0",
                       3),
           {{"error", Outside("1\u24000")}}),
      Jump("AJumpToAnAbsolutePath", "/etc/hostname",
           {{"error",
             "cannot open dat/etc/hostname.dat: no such file (named on dat/00.dat, line 1)"}}),
      Jump("AJumpDownAndBack", "sub/../10", {{"text", "inside" + kMark}}),
      Jump("AJumpOutAndBack", "../dat/10", {{"text", "inside" + kMark}}),
      {"PicturesThatLeadOut",
       [](const auto& f) {
         f.Scene("00", {">img>../../../../../../etc/passwd", std::string(">img>x\0y", 8),
                        ">img>/etc/passwd", "shown"});
       },
       "wait 500\nshow\n",
       {{"picture", nullptr}}},
      {"PicturesClaimingSixtyThousandPixelsSquare",
       [](const auto& f) {
         f.Bytes("grf/good.dat", BitmapClaiming(4, 3));
         f.Bytes("grf/bmp.dat", BitmapClaiming(60000, 60000));
         f.Bytes("grf/gif.dat", GifClaiming(60000, 60000));
         f.Bytes("grf/png.dat", PngClaiming(60000, 60000));
         f.Scene("00", {">img>good", ">img>bmp", ">img>gif", ">img>png", "shown"});
       },
       "wait 500\nshow\n",
       {{"picture", "good"}, {"text", "shown" + kMark}},
       Bounds{.resident_mb = 300}},
      Tune("GarbageAsTheTune", [](const auto& f) { f.Bytes("dat/bgm.mid", Garbage(4096, 7)); }),
      Tune("AnEmptyTune", [](const auto& f) { f.Bytes("dat/bgm.mid", ""); }),
      Tune("ATuneOfAHeaderOnly",
           [](const auto& f) { f.Bytes("dat/bgm.mid", TuneOfMs(1000).substr(0, 14)); }),
      Tune("ATuneCutShort",
           [](const auto& f) { f.Bytes("dat/bgm.mid", TuneOfMs(1000).substr(0, 25)); }),
      Tune("AFolderAsTheTune", [](const auto& f) { f.Folder("dat/bgm.mid"); }),
      Tune("ALinkLoopAsTheTune", [](const auto& f) { f.Link("dat/bgm.mid", "bgm.mid"); }),
      Tune("ADeviceAsTheTune", [](const auto& f) { f.Link("dat/bgm.mid", "/dev/zero"); }),
      Tune("ATuneTooLarge",
           [](const auto& f) { f.Bytes("dat/bgm.mid", std::string(17 << 20, '\0')); }),
  };
  return cases;
}

class FolderCases : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderCases, EndAsStated) {
  const FolderCase& c = GetParam();
  if (c.not_as_root && ::geteuid() == 0) GTEST_SKIP() << "root reads whatever the modes say";
  HostileFolder folder;
  Basics(folder);
  c.write(folder);
  const Played played = Play(folder.Path(), c.script, c.bounds);
  ASSERT_TRUE(EndedProperly(played, c.bounds));
  EXPECT_EQ(played.run.status, c.last.contains("error") ? kRunGameError : kRunOk) << played.run.out;
  ASSERT_TRUE(played.last.is_object()) << played.run.out;
  for (const auto& [key, value] : c.last.items()) {
    EXPECT_EQ(played.last.value(key, json("(not there)")), value) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(HostileFolder, FolderCases, ::testing::ValuesIn(Cases()),
                         [](const auto& param) { return param.param.name; });

// How many lines the game reads from these bytes: CR LF, LF and CR each end one.
std::size_t LineCount(const std::string& bytes) {
  std::size_t lines = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      ++lines;
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
  }
  const char last = bytes.empty() ? '\n' : bytes.back();
  return lines + (last == '\r' || last == '\n' ? 0 : 1);
}

TEST(HostileFolder, GarbageAsSceneFilesPlaysByTheRulesOrStopsWithOneError) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    HostileFolder folder;
    folder.Lines("dat/lst.dat", {"a", "b"});
    for (const char* name : {"00", "10", "end1", "end2", "end3"}) {
      folder.Bytes(std::string("dat/") + name + ".dat", Garbage(16 * 1024, seed * 10 + name[1]));
    }
    const Played played =
        Play(folder.Path(), "wait 300\nclick right\nwait 60000\nclick left\nwait 1000\nshow\n");
    EXPECT_TRUE(EndedProperly(played)) << "seed " << seed;
  }
}

TEST(HostileFolder, GarbageAsTheGiftListFillsTheListLineByLine) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    HostileFolder folder;
    Basics(folder);
    const std::string garbage = Garbage(64 * 1024, seed);
    ASSERT_NE(garbage.substr(0, 3), "\xEF\xBB\xBF");
    folder.Bytes("dat/lst.dat", garbage);
    const Played played = Play(folder.Path(), "wait 150\nshow\n");
    ASSERT_TRUE(EndedProperly(played));
    ASSERT_EQ(played.run.status, kRunOk);
    EXPECT_EQ(played.last["items"].size(), LineCount(garbage)) << "seed " << seed;
    EXPECT_EQ(played.last["text"], "hello");
  }
}

TEST(HostileFolder, AGiftListOfAHundredThousandItems) {
  HostileFolder folder;
  std::string list;
  for (int i = 0; i < 100'000; ++i) list += "item" + std::to_string(i) + "\r\n";
  folder.Bytes("dat/lst.dat", list);
  folder.Scene("00", {">item99999", "5", "10", "11"});
  folder.Scene("10", {"right", "-p", ">end"});
  const Played played =
      Play(folder.Path(), "wait 100\nselect 99999\ngive\nwait 300\nshow\nclick left\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  ASSERT_EQ(played.lines.size(), 2u);
  EXPECT_EQ(played.lines[0]["items"].size(), 99'999u);
  EXPECT_EQ(played.lines[0]["love"], 5);
  EXPECT_EQ(played.lines[0]["text"], "right" + kMark);
  EXPECT_EQ(played.lines[1]["items"].size(), 100'000u);  // a new game: the whole list again
  EXPECT_EQ(played.lines[1]["items"][99'999], "item99999");
}

std::string Saved(const QImage& picture, const char* format) {
  const ScratchFolder scratch("velune-picture");
  const std::string path = scratch.PathOf("p");
  if (!picture.save(QString::fromStdString(path), format)) throw std::runtime_error("not saved");
  return ReadFile(path);
}

TEST(HostileFolder, BrokenPicturesLeaveThePresentPictureShown) {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::green);
  const std::vector<std::pair<std::string, std::string>> formats{{"bmp", Saved(picture, "BMP")},
                                                                 {"jpeg", Saved(picture, "JPG")},
                                                                 {"png", Saved(picture, "PNG")},
                                                                 {"gif", RedGif()}};
  for (const auto& [format, good] : formats) {
    SCOPED_TRACE(format);
    std::string corrupt = good;
    for (std::size_t i = corrupt.size() / 3; i < corrupt.size(); i += 3) corrupt[i] ^= 0x5A;
    std::string bad_header = good;
    for (std::size_t i = 4; i < 24 && i < bad_header.size(); ++i) bad_header[i] = '\xFF';
    // Whether a picture cut in half shows what it has is the loader's affair; a file that
    // holds no picture at all never replaces the present one.
    const std::vector<std::tuple<std::string, std::string, bool>> broken{
        {"half", good.substr(0, good.size() / 2), false},
        {"corrupt", corrupt, false},
        {"badheader", bad_header, false},
        {"head", good.substr(0, 12), true},
        {"empty", "", true},
        {"text", "\x89\x4a not a picture at all", true},
    };
    HostileFolder folder;
    folder.Lines("dat/lst.dat", {"a"});
    std::string scene;
    std::string script;
    folder.Bytes("grf/good.dat", good);
    for (const auto& [name, bytes, never] : broken) {
      folder.Bytes("grf/" + name + ".dat", bytes);
      scene += ">img>good\r\n>img>" + name + "\r\n";
      script += "wait 200\nshow\n";
    }
    folder.Bytes("dat/00.dat", scene + "fin\r\n");
    const Played played = Play(folder.Path(), script);
    ASSERT_TRUE(EndedProperly(played));
    ASSERT_EQ(played.run.status, kRunOk);
    ASSERT_EQ(played.lines.size(), broken.size());
    for (std::size_t i = 0; i < broken.size(); ++i) {
      const auto& [name, bytes, never] = broken[i];
      const std::string shown = played.lines[i]["picture"];
      if (never) {
        EXPECT_EQ(shown, "good") << name;
      } else {
        EXPECT_TRUE(shown == "good" || shown == name) << name << ": " << shown;
      }
    }
  }
}

TEST(HostileFolder, AChainOfAHundredThousandScenesKeepsOneSceneFileOpen) {
  // In memory: a hundred thousand scene files, each a jump to the next.
  MemoryFiles files;
  files.Add("/g/dat/lst.dat", "a\r\n");
  constexpr int kScenes = 100'000;
  files.Add("/g/dat/00.dat", ">ive>1\r\n");
  for (int i = 1; i < kScenes; ++i) {
    files.Add("/g/dat/" + std::to_string(i) + ".dat", ">ive>" + std::to_string(i + 1) + "\r\n");
  }
  files.Add("/g/dat/" + std::to_string(kScenes) + ".dat", "fin\r\n");
  GameOnFiles on(files);
  int most_open = 0;
  for (int i = 0; i <= kScenes && on.game.TimIve().Enabled(); ++i) {
    on.game.TimIve_Timer();
    most_open = std::max(most_open, files.OpenNow());
  }
  EXPECT_EQ(on.game.Error(), std::nullopt);
  EXPECT_EQ(on.game.SceneName(), std::to_string(kScenes));
  EXPECT_EQ(on.game.Controls().lbl.caption, "fin" + kMark);
  EXPECT_EQ(most_open, 1);
  on.game.Form_Unload();
  EXPECT_EQ(files.OpenNow(), 0);
}

}  // namespace
}  // namespace velune::testing
