// Story folders that someone else wrote, holding anything at all. Whatever a folder holds,
// the game plays by its rules or stops with one error that names the file (and the line),
// within generous bounds of time and memory; it never crashes, hangs or runs away.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include "hostile_folder.h"
#include "media/midi_bytes.h"
#include "media/tiny_gif.h"
#include "picture_bombs.h"
#include "story/game.h"
#include "story/line_reader.h"
#include "story/memory_files.h"

namespace velune::testing {
namespace {

constexpr char kMark[] = "\u3000\u3000\u25BC";  // the continue mark
constexpr char kFffd[] = "\uFFFD";

// The gift list and a first scene that waits on its first page.
void Basics(const HostileFolder& folder) {
  folder.Lines("dat/lst.dat", {"a", "b", "c"});
  folder.Scene("00", {"hello", "-p", ">end"});
}

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

TEST(HostileFolder, InvalidAndTruncatedShiftJisShowsReplacementCharacters) {
  HostileFolder folder;
  folder.Bytes("dat/lst.dat", "\x82\xA0\x82\r\n\x82");  // "あ" and half a character; cut short
  // A lone lead byte, a character and half of one, an undefined byte, a lead byte before
  // the line end, and the file cut inside a character.
  folder.Bytes("dat/00.dat",
               "\x82\r\n\x82\xA0\x82\r\na\xFF"
               "b\r\n\x81\r\n\x82");
  const Played played = Play(folder.Path(), "wait 600\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["text"], std::string(kFffd) + "\r\nあ" + kFffd + "\r\na" + kFffd + "b\r\n" +
                                     kFffd + "\r\n" + kFffd + kMark);
  EXPECT_EQ(played.last["items"], nlohmann::json::array({std::string("あ") + kFffd, kFffd}));
  EXPECT_EQ(played.last["reader"], "idle");  // the scene ran out after a text line
}

TEST(HostileFolder, ATenMegabyteLineIsRefusedNamingTheFileAndTheLine) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a"});
  folder.Bytes("dat/00.dat", "first\r\n" + std::string(10'000'000, 'a') + "\r\n>end\r\n");
  const Played played = Play(folder.Path(), "wait 1000\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.run.status, kRunGameError);
  EXPECT_EQ(played.last["t"], 200);
  EXPECT_EQ(played.error,
            "cannot read dat/00.dat: line 2 is longer than 1048576 bytes, too long for a story "
            "line");

  folder.Bytes("dat/lst.dat", std::string(10'000'000, 'b'));
  const Played list = Play(folder.Path(), "wait 1000\n");
  ASSERT_TRUE(EndedProperly(list));
  EXPECT_EQ(list.error,
            "cannot read dat/lst.dat: line 1 is longer than 1048576 bytes, too long for a story "
            "line");
}

TEST(HostileFolder, ALineOfTheLongestLengthStillPlays) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a"});
  folder.Scene("00", {std::string(kLongestLine, 'x')});
  const Played played = Play(folder.Path(), "wait 100\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["text"], std::string(kLongestLine, 'x') + kMark);
}

TEST(HostileFolder, FourGigabytesWithoutALineEndAreRefusedAfterTheFirstMegabyte) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a"});
  folder.Bytes("dat/00.dat", "");
  std::filesystem::resize_file(folder.At("dat/00.dat"), 4ULL << 30);  // sparse: no disk taken
  const Played played = Play(folder.Path(), "wait 1000\n", Bounds{.resident_mb = 200});
  ASSERT_TRUE(EndedProperly(played, Bounds{.resident_mb = 200}));
  EXPECT_EQ(played.error,
            "cannot read dat/00.dat: line 1 is longer than 1048576 bytes, too long for a story "
            "line");
}

TEST(HostileFolder, DevicesAndPipesAreRefusedInsteadOfReadForEver) {
  HostileFolder folder;
  Basics(folder);
  folder.Link("dat/00.dat", "/dev/zero");
  Played played = Play(folder.Path(), "wait 1000\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.error,
            "cannot open dat/00.dat: it is not a plain file (a device, a pipe or a socket)");

  std::filesystem::remove(folder.At("dat/00.dat"));
  ASSERT_EQ(::mkfifo(folder.At("dat/00.dat").c_str(), 0644), 0);
  played = Play(folder.Path(), "wait 1000\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.error,
            "cannot open dat/00.dat: it is not a plain file (a device, a pipe or a socket)");

  // A pipe as a picture or as the tune is no picture and no tune: the game goes on.
  Basics(folder);
  folder.Scene("00", {">img>pipe", ">img>zero", "shown", "-p", ">end"});
  ASSERT_EQ(::mkfifo(folder.At("grf/pipe.dat").c_str(), 0644), 0);
  folder.Link("grf/zero.dat", "/dev/zero");
  ASSERT_EQ(::mkfifo(folder.At("dat/bgm.mid").c_str(), 0644), 0);
  played = Play(folder.Path(), "wait 300\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["text"], "shown");
  EXPECT_EQ(played.last["picture"], nullptr);
  EXPECT_EQ(played.last["music"], "closed");
}

TEST(HostileFolder, AMillionLinesPlayThroughInSkippingMode) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a"});
  std::string scene;
  for (int i = 0; i < 1'000'000; ++i) scene += i % 7 == 6 ? "-p\r\n" : "line\r\n";
  folder.Bytes("dat/00.dat", scene + ">ive>10\r\n");
  folder.Scene("10", {"fin"});
  const Played played = Play(folder.Path(), "wait 100\nclick right\nwait 1100000\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["scene"], "10");
  EXPECT_EQ(played.last["reader"], "idle");
  EXPECT_EQ(played.last["text"], std::string("line\r\nfin") + kMark);
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
  EXPECT_EQ(played.lines[0]["text"], std::string("right") + kMark);
  EXPECT_EQ(played.lines[1]["items"].size(), 100'000u);  // a new game: the whole list again
  EXPECT_EQ(played.lines[1]["items"][99'999], "item99999");
}

std::string Saved(const QImage& picture, const char* format) {
  const QString path = QString::fromStdString(
      (std::filesystem::temp_directory_path() / ("velune-picture-" + std::to_string(::getpid())))
          .string());
  if (!picture.save(path, format)) throw std::runtime_error("cannot save a picture");
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(path.toStdString());
  return bytes;
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

TEST(HostileFolder, PicturesClaimingSixtyThousandPixelsSquareAreRefusedInPlay) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a"});
  folder.Bytes("grf/good.dat", BitmapClaiming(4, 3));
  folder.Bytes("grf/bmp.dat", BitmapClaiming(60000, 60000));
  folder.Bytes("grf/gif.dat", GifClaiming(60000, 60000));
  folder.Bytes("grf/png.dat", PngClaiming(60000, 60000));
  folder.Scene("00", {">img>good", ">img>bmp", ">img>gif", ">img>png", "shown"});
  const Bounds bounds{.resident_mb = 300};
  const Played played = Play(folder.Path(), "wait 500\nshow\n", bounds);
  ASSERT_TRUE(EndedProperly(played, bounds));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["picture"], "good");
  EXPECT_EQ(played.last["text"], std::string("shown") + kMark);
}

TEST(HostileFolder, TheTuneMayBeAnythingAndTheGameRunsWithoutMusic) {
  const std::vector<std::pair<std::string, std::function<void(const HostileFolder&)>>> tunes{
      {"garbage", [](const auto& f) { f.Bytes("dat/bgm.mid", Garbage(4096, 7)); }},
      {"empty", [](const auto& f) { f.Bytes("dat/bgm.mid", ""); }},
      {"header only", [](const auto& f) { f.Bytes("dat/bgm.mid", TuneOfMs(1000).substr(0, 14)); }},
      {"cut short", [](const auto& f) { f.Bytes("dat/bgm.mid", TuneOfMs(1000).substr(0, 25)); }},
      {"a folder", [](const auto& f) { f.Folder("dat/bgm.mid"); }},
      {"a loop", [](const auto& f) { f.Link("dat/bgm.mid", "bgm.mid"); }},
      {"a device", [](const auto& f) { f.Link("dat/bgm.mid", "/dev/zero"); }},
      {"too large", [](const auto& f) { f.Bytes("dat/bgm.mid", std::string(17 << 20, '\0')); }},
  };
  for (const auto& [what, write] : tunes) {
    HostileFolder folder;
    Basics(folder);
    write(folder);
    const Played played = Play(folder.Path(), "wait 5000\nshow\n");
    ASSERT_TRUE(EndedProperly(played)) << what;
    EXPECT_EQ(played.run.status, kRunOk) << what;
    EXPECT_EQ(played.last["music"], "closed") << what;
    EXPECT_EQ(played.last["text"], std::string("hello") + kMark) << what;
  }
}

TEST(HostileFolder, AFolderWhereAFileIsExpected) {
  HostileFolder folder;
  Basics(folder);
  folder.Folder("dat/00.dat");
  EXPECT_EQ(Play(folder.Path(), "wait 1000\n").error,
            "cannot open dat/00.dat: it is a folder, not a file");

  Basics(folder);
  folder.Folder("dat/lst.dat");
  EXPECT_EQ(Play(folder.Path(), "wait 1000\n").error,
            "cannot open dat/lst.dat: it is a folder, not a file");

  // A picture or a tune that is a folder is simply not there.
  folder.Lines("dat/lst.dat", {"a"});
  folder.Scene("00", {">img>room", "shown"});
  folder.Folder("grf/room.dat");
  folder.Folder("dat/bgm.mid");
  const Played played = Play(folder.Path(), "wait 500\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.last["picture"], nullptr);
  EXPECT_EQ(played.last["music"], "closed");

  // The scene folder itself a file: no scene, no gift list.
  HostileFolder flat;
  std::filesystem::remove_all(flat.At("dat"));
  flat.Bytes("dat", "not a folder");
  EXPECT_EQ(Play(flat.Path(), "wait 1000\n").error, "cannot open dat/lst.dat: no such file");
}

TEST(HostileFolder, AnUnreadableFileIsReportedAsUnreadable) {
  // Even for root, reading a process's memory from its start fails with an I/O error.
  HostileFolder folder;
  Basics(folder);
  folder.Link("dat/lst.dat", "/proc/self/mem");
  Played played = Play(folder.Path(), "wait 1000\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.error, "cannot read dat/lst.dat: the file cannot be read");

  // Not as a scene that ends too soon: the file could not be read at all.
  Basics(folder);
  folder.Scene("00", {">ive>10"});
  folder.Link("dat/10.dat", "/proc/self/mem");
  played = Play(folder.Path(), "wait 1000\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.error, "cannot read dat/10.dat: the file cannot be read");

  if (::geteuid() != 0) {  // root reads whatever the permissions say
    Basics(folder);
    std::filesystem::permissions(folder.At("dat/00.dat"), std::filesystem::perms::none);
    played = Play(folder.Path(), "wait 1000\n");
    ASSERT_TRUE(EndedProperly(played));
    EXPECT_EQ(played.error, "cannot open dat/00.dat: the file cannot be opened for reading");
  }
}

TEST(HostileFolder, SymbolicLinkLoopsAreReportedAsSuch) {
  HostileFolder folder;
  Basics(folder);
  folder.Link("dat/00.dat", "loop.dat");
  folder.Link("dat/loop.dat", "00.dat");
  Played played = Play(folder.Path(), "wait 1000\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.error, "cannot open dat/00.dat: Too many levels of symbolic links");

  Basics(folder);
  folder.Link("dat/lst.dat", "lst.dat");
  played = Play(folder.Path(), "wait 1000\n");
  ASSERT_TRUE(EndedProperly(played));
  EXPECT_EQ(played.error, "cannot open dat/lst.dat: Too many levels of symbolic links");

  // A folder that contains itself, and a picture that is a loop.
  folder.Lines("dat/lst.dat", {"a"});
  folder.Link("dat/self", ".");
  folder.Scene("00", {">img>loop", ">ive>self/self/SELF/10"});
  folder.Scene("10", {"reached"});
  folder.Link("grf/loop.dat", "loop.dat");
  played = Play(folder.Path(), "wait 500\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["text"], std::string("reached") + kMark);
  EXPECT_EQ(played.last["picture"], nullptr);
}

TEST(HostileFolder, NamesThatLeadOutOfTheGameFolderAreRefused) {
  const auto error_for = [](const std::string& jump) {
    HostileFolder folder;
    folder.Lines("dat/lst.dat", {"a"});
    folder.Scene("00", {">ive>" + jump});
    folder.Scene("10", {"inside"});
    const Played played = Play(folder.Path(), "wait 200\nshow\n");
    EXPECT_TRUE(EndedProperly(played)) << jump;
    return played.error.empty() ? played.last["text"].get<std::string>() : played.error;
  };
  EXPECT_EQ(error_for("../../../etc/passwd"),
            "the scene name \"../../../etc/passwd\" does not name a file in the game folder "
            "(named on dat/00.dat, line 1)");
  EXPECT_EQ(error_for("..\\..\\..\\etc\\passwd"),
            "the scene name \"..\\..\\..\\etc\\passwd\" does not name a file in the game folder "
            "(named on dat/00.dat, line 1)");
  const std::string nul(1, '\0');
  EXPECT_EQ(error_for("1" + nul + "0"),
            "the scene name \"1\u24000\" does not name a file in the game folder (named on "
            "dat/00.dat, line 1)");
  // An absolute path is a path inside the game folder.
  EXPECT_EQ(error_for("/etc/hostname"),
            "cannot open dat/etc/hostname.dat: no such file (named on dat/00.dat, line 1)");
  // Inside the folder, ".." is just a way there.
  EXPECT_EQ(error_for("sub/../10"), std::string("inside") + kMark);
  EXPECT_EQ(error_for("../dat/10"), std::string("inside") + kMark);

  // Pictures that lead out are simply not there.
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a"});
  folder.Scene("00", {">img>../../../../../../etc/passwd", std::string(">img>x\0y", 8),
                      ">img>/etc/passwd", "shown"});
  const Played played = Play(folder.Path(), "wait 500\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["picture"], nullptr);
}

TEST(HostileFolder, AHundredThousandJumpsKeepOneSceneFileOpen) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a"});
  folder.Scene("00", {">ive>10"});
  folder.Scene("10", {">ive>00"});
  // One jump every 100 ms: 100,000 of them.
  const Played played = Play(folder.Path(), "wait 10000050\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["scene"], "00");
  EXPECT_EQ(played.last["reader"], "reading");
}

TEST(HostileFolder, AChainOfAHundredThousandScenesKeepsOneSceneFileOpen) {
  // In memory: a hundred thousand scene files, each a jump to the next.
  testing::MemoryFiles files;
  files.Add("/g/dat/lst.dat", "a\r\n");
  constexpr int kScenes = 100'000;
  files.Add("/g/dat/00.dat", ">ive>1\r\n");
  for (int i = 1; i < kScenes; ++i) {
    files.Add("/g/dat/" + std::to_string(i) + ".dat", ">ive>" + std::to_string(i + 1) + "\r\n");
  }
  files.Add("/g/dat/" + std::to_string(kScenes) + ".dat", "fin\r\n");
  struct : PicturePort {
    bool Load(const std::string&) override { return false; }
    void StretchToArea() override {}
  } pictures;
  struct : MciPort {
    int SendString(std::string_view, char*, int) override { return 0; }
  } mci;
  struct : TimerPort {
    void Arm(TimerId, bool, int) override {}
  } timers;
  Game game({files, pictures, mci, timers});
  game.Form_Load("/g");
  game.Form_Activate();
  int most_open = 0;
  for (int i = 0; i <= kScenes && game.TimIve().Enabled(); ++i) {
    game.TimIve_Timer();
    most_open = std::max(most_open, files.OpenNow());
  }
  EXPECT_EQ(game.Error(), std::nullopt);
  EXPECT_EQ(game.SceneName(), std::to_string(kScenes));
  EXPECT_EQ(game.Controls().lbl.caption, std::string("fin") + kMark);
  EXPECT_EQ(most_open, 1);
  game.Form_Unload();
  EXPECT_EQ(files.OpenNow(), 0);
}

TEST(HostileFolder, RestartsInATightLoop) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"a", "b", "c"});
  folder.Scene("00", {">end"});
  // A new game every 100 ms: 10,000 of them, each reading the whole gift list again.
  const Played played = Play(folder.Path(), "wait 1000050\nshow\n");
  ASSERT_TRUE(EndedProperly(played));
  ASSERT_EQ(played.run.status, kRunOk);
  EXPECT_EQ(played.last["items"], nlohmann::json::array({"a", "b", "c"}));
  EXPECT_EQ(played.last["love"], 0);
}

}  // namespace
}  // namespace velune::testing
