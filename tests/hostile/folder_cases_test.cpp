// Story folders that someone else wrote, holding anything at all: the game plays by its
// rules or stops with one error that names the file, within bounds of time and memory.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstring>

#include "hostile_folder.h"
#include "story/line_reader.h"

namespace velune::testing {
namespace {

using nlohmann::json;

const std::string kMark = "\u3000\u3000\u25BC";  // the continue mark
const std::string kFffd = "\uFFFD";
const std::string kNotPlain = ": it is not a plain file (a device, a pipe or a socket)";
const std::string kLoop = ": Too many levels of symbolic links";

std::string TooLong(const std::string& file, int line) {
  return "cannot read " + file + ": line " + std::to_string(line) +
         " is longer than 1048576 bytes, too long for a story line";
}
std::string Outside(const std::string& name) {
  return "the scene name \"" + name +
         "\" does not name a file in the game folder (named on dat/00.dat, line 1)";
}

std::string Saved(const QImage& picture, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, format);
  return bytes.toStdString();
}
QImage Green() {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::green);
  return picture;
}

// One thing in the folder: a file of these bytes, a link, a pipe, a folder or a scene.
using Entry = std::function<void(const StoryFolder&)>;
Entry Bytes(std::string path, std::string bytes) {
  return [=](const StoryFolder& f) { f.Bytes(path, bytes); };
}
Entry Link(std::string path, std::string target) {
  return [=](const StoryFolder& f) { f.Link(path, target); };
}
Entry Pipe(std::string path) {
  return [=](const StoryFolder& f) { f.Pipe(path); };
}
Entry Folder(std::string path) {
  return [=](const StoryFolder& f) { f.Folder(path); };
}
Entry Scene(std::string name, std::vector<std::string> lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return Bytes("dat/" + name + ".dat", bytes);
}
// Bytes made when the file is written, not kept in the table.
Entry Large(std::string path, std::function<std::string()> bytes) {
  return [=](const StoryFolder& f) { f.Bytes(path, bytes()); };
}

// What a folder holds over a gift list "a b c" and a first scene "hello", how it is
// played, and what the last output line must hold ("error": the one error it stops on).
struct FolderCase {
  const char* name;
  std::vector<Entry> entries;
  const char* script;
  json last;
  Bounds bounds = {};
  bool not_as_root = false;  // root reads whatever the modes say
};
void PrintTo(const FolderCase& c, std::ostream* out) { *out << c.name; }

FolderCase Jump(const char* name, const std::string& jump, json last) {
  return {name, {Scene("00", {">ive>" + jump}), Scene("10", {"inside"})}, "wait 200\nshow\n", last};
}
FolderCase Stops(const char* name, std::vector<Entry> entries, std::string error) {
  return {name, std::move(entries), "wait 1000\n", {{"error", std::move(error)}}};
}
FolderCase NoTune(const char* name, Entry tune) {
  return {name, {tune}, "wait 5000\nshow\n", {{"music", "closed"}, {"text", "hello" + kMark}}};
}
FolderCase NoPicture(const char* name, std::vector<std::string> scene, std::vector<Entry> entries) {
  entries.push_back(Scene("00", scene));
  return {name, entries, "wait 500\nshow\n", {{"picture", nullptr}, {"text", "shown" + kMark}}};
}

// Whether a picture cut short shows what it has is the loader's affair; a file holding no
// picture at all never replaces the one shown.
FolderCase Broken(const char* name, std::function<std::string()> picture) {
  const Entry pictures = [picture](const StoryFolder& f) {
    const std::string good = picture();
    std::string corrupt = good;
    for (std::size_t i = corrupt.size() / 3; i < corrupt.size(); i += 3) corrupt[i] ^= 0x5A;
    std::string bad_header = good;
    for (std::size_t i = 4; i < 24 && i < bad_header.size(); ++i) bad_header[i] = '\xFF';
    f.Bytes("grf/half.dat", good.substr(0, good.size() / 2));
    f.Bytes("grf/corrupt.dat", corrupt);
    f.Bytes("grf/badheader.dat", bad_header);
    f.Bytes("grf/good.dat", good);
    f.Bytes("grf/head.dat", good.substr(0, 12));
    f.Bytes("grf/empty.dat", "");
    f.Bytes("grf/text.dat", "\x89\x4a not a picture at all");
  };
  return {name,
          {pictures, Scene("00", {">img>half", ">img>corrupt", ">img>badheader", ">img>good",
                                  ">img>head", ">img>empty", ">img>text", "shown"})},
          "wait 1500\nshow\n",
          {{"picture", "good"}, {"text", "shown" + kMark}}};
}

const std::vector<FolderCase>& Cases() {
  static const std::vector<FolderCase> cases{
      // In the list "あ", half a character, the file cut short; in the scene a lone lead
      // byte, a character and half of one, an undefined byte, a lead byte before the line
      // end, the file cut inside a character.
      {"InvalidAndTruncatedShiftJis",
       {Bytes("dat/lst.dat", "\x82\xA0\x82\r\n\x82"), Bytes("dat/00.dat",
                                                            "\x82\r\n\x82\xA0\x82\r\na\x85\x65"
                                                            "b\r\n\x81\r\n\x82")},
       "wait 600\nshow\n",
       {{"text",
         kFffd + "\r\nあ" + kFffd + "\r\na" + kFffd + "b\r\n" + kFffd + "\r\n" + kFffd + kMark},
        {"items", json::array({"あ" + kFffd, kFffd})},
        {"reader", "idle"}}},
      {"ATenMegabyteSceneLine",
       {Large("dat/00.dat",
              [] { return "first\r\n" + std::string(10'000'000, 'a') + "\r\n>end\r\n"; })},
       "wait 1000\nshow\n",
       {{"t", 200}, {"error", TooLong("dat/00.dat", 2)}}},
      Stops("ATenMegabyteGiftList",
            {Large("dat/lst.dat", [] { return std::string(10'000'000, 'b'); })},
            TooLong("dat/lst.dat", 1)),
      {"FourGigabytesWithoutALineEnd",
       {[](const auto& f) { fs::resize_file(f.Bytes("dat/00.dat", ""), 4ULL << 30); }},  // sparse
       "wait 1000\n",
       {{"error", TooLong("dat/00.dat", 1)}},
       Bounds{.resident_mb = 200}},
      {"ALineOfTheLongestLength",
       {Large("dat/00.dat", [] { return std::string(kLongestLine, 'x') + "\r\n"; })},
       "wait 100\nshow\n",
       {{"text", std::string(kLongestLine, 'x') + kMark}}},
      {"AMillionLinesSkipped",
       {Large("dat/00.dat",
              [] {
                std::string scene;
                for (int i = 0; i < 1'000'000; ++i) scene += i % 7 == 6 ? "-p\r\n" : "line\r\n";
                return scene + ">ive>10\r\n";
              }),
        Scene("10", {"fin"})},
       "wait 100\nclick right\nwait 1100000\nshow\n",
       {{"scene", "10"}, {"reader", "idle"}, {"text", "line\r\nfin" + kMark}}},
      {"AHundredThousandJumps",  // one every 100 ms
       {Scene("00", {">ive>10"}), Scene("10", {">ive>00"})},
       "wait 10000050\nshow\n",
       {{"scene", "00"}, {"reader", "reading"}}},
      {"TenThousandRestarts",  // each reads the gift list again
       {Scene("00", {">end"})},
       "wait 1000050\nshow\n",
       {{"items", json::array({"a", "b", "c"})}, {"love", 0}}},
      // The tune restarts at the first poll after its end, every 3,000 ms: the last time
      // before the end of this wait at 999,999,999,000 ms. The wait ends at once.
      {"AWaitOfThirtyYearsWithTheTuneStillPlaying",
       {Scene("00", {"waits", "-p", ">end"}), Bytes("dat/bgm.mid", TuneOfMs(2500))},
       "wait 1000000000000\nwait 1499\nshow\n",
       {{"t", 1'000'000'001'499}, {"music", "playing"}, {"text", "waits" + kMark}},
       Bounds{.seconds = 20}},
      {"AWaitOfThirtyYearsToTheTunesEnd",
       {Scene("00", {"waits", "-p", ">end"}), Bytes("dat/bgm.mid", TuneOfMs(2500))},
       "wait 1000000000000\nwait 1500\nshow\n",
       {{"music", "stopped"}},
       Bounds{.seconds = 20}},
      Stops("DevZeroAsAScene", {Link("dat/00.dat", "/dev/zero")},
            "cannot open dat/00.dat" + kNotPlain),
      Stops("APipeAsAScene", {Pipe("dat/00.dat")}, "cannot open dat/00.dat" + kNotPlain),
      Stops("AFolderAsAScene", {Folder("dat/00.dat")},
            "cannot open dat/00.dat: it is a folder, not a file"),
      Stops("AFolderAsTheGiftList", {Folder("dat/lst.dat")},
            "cannot open dat/lst.dat: it is a folder, not a file"),
      Stops("AFileAsTheSceneFolder", {Bytes("dat", "not a folder")},
            "cannot open dat/lst.dat: no such file"),
      // Even for root, reading a process's memory from its start fails.
      Stops("UnreadableGiftList", {Link("dat/lst.dat", "/proc/self/mem")},
            "cannot read dat/lst.dat: the file cannot be read"),
      Stops("UnreadableLaterScene",
            {Scene("00", {">ive>10"}), Link("dat/10.dat", "/proc/self/mem")},
            "cannot read dat/10.dat: the file cannot be read"),
      {"ASceneNobodyMayRead",
       {[](const auto& f) { fs::permissions(f.At("dat/00.dat"), fs::perms::none); }},
       "wait 1000\n",
       {{"error", "cannot open dat/00.dat: the file cannot be opened for reading"}},
       {},
       true},
      Stops("ALinkLoopAsAScene", {Link("dat/00.dat", "loop.dat"), Link("dat/loop.dat", "00.dat")},
            "cannot open dat/00.dat" + kLoop),
      Stops("ALinkLoopAsTheGiftList", {Link("dat/lst.dat", "lst.dat")},
            "cannot open dat/lst.dat" + kLoop),
      {"AFolderInsideItself",
       {Link("dat/self", "."), Scene("00", {">ive>self/self/SELF/10"}), Scene("10", {"inside"})},
       "wait 200\nshow\n",
       {{"text", "inside" + kMark}}},
      // Out of the game folder is refused; an absolute path is inside it, and so is "..".
      Jump("AJumpUpAndOut", "../../../etc/passwd", {{"error", Outside("../../../etc/passwd")}}),
      Jump("AJumpUpAndOutWithBackslashes", "..\\..\\..\\etc\\passwd",
           {{"error", Outside("..\\..\\..\\etc\\passwd")}}),
      Jump("AJumpWithNulBytes",
           std::string("1\0"
                       "0\0",
                       4),
           {{"error", Outside("1\u24000\u2400")}}),
      Jump("AJumpToAnAbsolutePath", "/etc/hostname",
           {{"error",
             "cannot open dat/etc/hostname.dat: no such file (named on dat/00.dat, line 1)"}}),
      Jump("AJumpDownAndBack", "sub/../10", {{"text", "inside" + kMark}}),
      Jump("AJumpOutAndBack", "../dat/10", {{"text", "inside" + kMark}}),
      // A picture that is no picture is not there, and the game goes on.
      NoPicture("PicturesThatLeadOut",
                {">img>../../../../../../etc/passwd", std::string(">img>x\0y", 8),
                 ">img>/etc/passwd", "shown"},
                {}),
      NoPicture("PipesDevicesFoldersAndLoopsAsPictures",
                {">img>pipe", ">img>zero", ">img>room", ">img>loop", "shown"},
                {Pipe("grf/pipe.dat"), Link("grf/zero.dat", "/dev/zero"), Folder("grf/room.dat"),
                 Link("grf/loop.dat", "loop.dat")}),
      // 10,000 pixels square would fit in the address space: only the loader's limit
      // keeps it out. 2,000 square is large, but a picture.
      {"PicturesClaimingHugeSizes",
       {Bytes("grf/large.dat", GifClaiming(2000, 2000)),
        Bytes("grf/bmp.dat", BitmapClaiming(60000, 60000)),
        Bytes("grf/gif.dat", GifClaiming(60000, 60000)),
        Bytes("grf/png.dat", PngClaiming(60000, 60000)),
        Large("grf/jpeg.dat", [] { return JpegClaiming(Saved(Green(), "JPG"), 60000, 60000); }),
        Bytes("grf/tenk.dat", GifClaiming(10000, 10000)),
        Scene("00", {">img>large", ">img>bmp", ">img>gif", ">img>png", ">img>jpeg", ">img>tenk",
                     "shown"})},
       "wait 800\nshow\n",
       {{"picture", "large"}, {"text", "shown" + kMark}},
       Bounds{.resident_mb = 300}},
      Broken("BrokenBitmaps", [] { return Saved(Green(), "BMP"); }),
      Broken("BrokenJpegs", [] { return Saved(Green(), "JPG"); }),
      Broken("BrokenPngs", [] { return Saved(Green(), "PNG"); }),
      Broken("BrokenGifs", [] { return GifClaiming(40, 30); }),
      NoTune("GarbageAsTheTune", Bytes("dat/bgm.mid", Garbage(4096, 7))),
      NoTune("AnEmptyTune", Bytes("dat/bgm.mid", "")),
      NoTune("ATuneOfAHeaderOnly", Bytes("dat/bgm.mid", TuneOfMs(1000).substr(0, 14))),
      NoTune("ATuneCutShort", Bytes("dat/bgm.mid", TuneOfMs(1000).substr(0, 25))),
      NoTune("AFolderAsTheTune", Folder("dat/bgm.mid")),
      NoTune("ALinkLoopAsTheTune", Link("dat/bgm.mid", "bgm.mid")),
      NoTune("ADeviceAsTheTune", Link("dat/bgm.mid", "/dev/zero")),
      NoTune("APipeAsTheTune", Pipe("dat/bgm.mid")),
      NoTune("ATuneTooLarge", Large("dat/bgm.mid", [] { return std::string(17 << 20, '\0'); })),
  };
  return cases;
}

class FolderCases : public ::testing::TestWithParam<FolderCase> {};

TEST_P(FolderCases, EndAsStated) {
  const FolderCase& c = GetParam();
  if (c.not_as_root && ::geteuid() == 0) GTEST_SKIP() << "root reads whatever the modes say";
  StoryFolder folder;
  folder.Lines("dat/lst.dat", {"a", "b", "c"});
  folder.Scene("00", {"hello", "-p", ">end"});
  for (const Entry& entry : c.entries) entry(folder);
  const BoundedPlay played = Play(folder.Path(), c.script, c.bounds);
  ASSERT_TRUE(EndedProperly(played, c.bounds));
  EXPECT_EQ(played.run.status, c.last.contains("error") ? kRunGameError : kRunOk) << played.run.out;
  ASSERT_TRUE(played.last.is_object()) << played.run.out;
  for (const auto& [key, value] : c.last.items()) {
    EXPECT_EQ(played.last.value(key, json("(not there)")), value) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(HostileFolder, FolderCases, ::testing::ValuesIn(Cases()),
                         [](const auto& param) { return param.param.name; });

TEST(HostileFolder, GarbageAsScenesPlaysByTheRulesOrStopsWithOneError) {
  for (unsigned seed = 1; seed <= 8; ++seed) {
    StoryFolder folder;
    folder.Lines("dat/lst.dat", {"a", "b"});
    for (const char* name : {"00", "10", "end1", "end2", "end3"}) {
      folder.Bytes(std::string("dat/") + name + ".dat", Garbage(16 * 1024, seed * 10 + name[1]));
    }
    EXPECT_TRUE(EndedProperly(
        Play(folder.Path(), "wait 300\nclick right\nwait 60000\nclick left\nwait 1000\nshow\n")))
        << "seed " << seed;
  }
}

TEST(HostileFolder, GarbageAsTheGiftListFillsTheListLineByLine) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    StoryFolder folder;
    folder.Scene("00", {"hello", "-p", ">end"});
    const std::string garbage = Garbage(64 * 1024, seed);
    folder.Bytes("dat/lst.dat", garbage);
    std::size_t lines = 0;  // CR LF, LF and CR each end one
    for (std::size_t i = 0; i < garbage.size(); ++i) {
      if (garbage[i] == '\n' || (garbage[i] == '\r' && garbage[i + 1] != '\n')) ++lines;
    }
    const BoundedPlay played = Play(folder.Path(), "wait 150\nshow\n");
    ASSERT_EQ(played.run.status, kRunOk) << played.run.out;
    EXPECT_EQ(played.last["text"], "hello");
    EXPECT_EQ(played.last["items"].size(),
              lines + (garbage.back() == '\n' || garbage.back() == '\r' ? 0 : 1))
        << "seed " << seed;
  }
}

TEST(HostileFolder, AChainOfAHundredThousandScenesKeepsOneSceneFileOpen) {
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
  EXPECT_EQ(on.game.Controls().lbl.caption, "fin" + kMark);
  EXPECT_EQ(most_open, 1);
  on.game.Form_Unload();
  EXPECT_EQ(files.OpenNow(), 0);
}

// A gift block whose file fails after its prompt line is unreadable, not cut short.
TEST(HostileFolder, AFileThatFailsPartWayIsReportedUnreadable) {
  struct BadSectorFiles : MemoryFiles {
    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
      struct Failing : ByteSource {
        std::unique_ptr<ByteSource> bytes;
        std::size_t Read(char* buffer, std::size_t size) override {
          const std::size_t n = bytes->Read(buffer, size);
          if (n == 0) throw std::runtime_error("the file cannot be read");
          return n;
        }
      };
      auto source = MemoryFiles::OpenRead(path);
      if (path.find("bad") == std::string::npos) return source;
      auto failing = std::make_unique<Failing>();
      failing->bytes = std::move(source);
      return failing;
    }
  } files;
  files.Add("/g/dat/lst.dat", "a\r\n");
  files.Add("/g/dat/00.dat", ">ive>badgift\r\n");
  files.Add("/g/dat/badgift.dat", ">a\r\n");
  GameOnFiles gift(files);
  gift.game.TimIve_Timer();  // on to badgift
  gift.game.TimIve_Timer();  // the prompt line
  ASSERT_TRUE(gift.game.Lst_Select(0));
  gift.game.AddCom_Click();
  EXPECT_EQ(gift.game.Error(), "cannot read dat/badgift.dat: the file cannot be read");
}

}  // namespace
}  // namespace velune::testing
