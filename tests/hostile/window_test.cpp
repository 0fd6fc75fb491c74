// The game window under load: skipping through game after game for a while without
// growing, and a whole playthrough from a read-only story folder that writes nothing.
#include <gtest/gtest.h>

#include <QTimer>
#include <chrono>

#include "game/window_fixture.h"
#include "hostile_folder.h"
#include "media/mci_interpreter.h"
#include "media/virtual_tune_device.h"
#include "story/line_reader.h"
#include "window_playthrough.h"

namespace velune::testing {
namespace {

// The window soak's length in seconds: 20, or VELUNE_WINDOW_SOAK_SECONDS for a long run.
int SoakSeconds() {
  const char* seconds = std::getenv("VELUNE_WINDOW_SOAK_SECONDS");
  return seconds != nullptr && std::atoi(seconds) > 0 ? std::atoi(seconds) : 20;
}

TEST(WindowSoak, SkippingThroughGameAfterGameTheWindowDoesNotGrow) {
  HostileFolder folder;
  folder.Lines("dat/lst.dat", {"flower", "ring", "letter"});
  folder.Bytes("grf/a.dat", BitmapClaiming(4, 3));
  folder.Bytes("grf/b.dat", BitmapClaiming(8, 6));
  folder.Bytes("dat/bgm.mid", TuneOfMs(2500));
  folder.Scene("00",
               {">img>a", "a1", "a2", "a3", "a4", "a5", "a6", "-p", ">flower", "3", "10", "11"});
  folder.Scene("10", {">img>b", "right", "-p", "more", ">ending"});
  folder.Scene("11", {"wrong", "-p", ">ending"});
  for (const char* ending : {"end1", "end2", "end3"}) folder.Scene(ending, {"fin", "-p", ">end"});

  // Real timers, and a tune that plays on the real clock.
  const auto started = std::chrono::steady_clock::now();
  VirtualTuneDevice tune([&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 started)
        .count();
  });
  MciInterpreter mci(tune);
  DiskFileSystem files;
  std::vector<QString> errors;
  GameWindow window({files, mci, QuietBoxes(&errors), nullptr});
  ASSERT_TRUE(window.Start(folder.Path()));

  // The player: gives the first item at every prompt, and otherwise skips ahead.
  int games = 0;
  std::string last_scene;
  QTimer player;
  QObject::connect(&player, &QTimer::timeout, [&] {
    if (window.Ended()) return;
    const std::string scene = window.game().SceneName().value_or("");
    if (scene == "00" && last_scene.rfind("end", 0) == 0) ++games;
    last_scene = scene;
    if (AddCom(&window)->isVisible()) {
      Lst(&window)->setCurrentRow(0);
      QTest::mouseClick(AddCom(&window), Qt::LeftButton);
    } else {
      QTest::mouseClick(Lbl(&window), Qt::RightButton, {}, QPoint(5, 5));
    }
  });
  player.start(20);

  const std::string real = fs::canonical(folder.Path()).string();
  const int seconds = SoakSeconds();
  const int warm_up = std::max(5, seconds / 4);
  std::int64_t heap_after_warm_up = 0;
  std::int64_t most_heap = 0;
  int descriptors_after_warm_up = 0;
  for (int second = 1; second <= seconds && !window.Ended(); ++second) {
    QTest::qWait(1000);
    const std::int64_t heap = HeapInUse();
    const auto open = OpenFilesUnder(real);
    const std::string scene = window.game().SceneName().value_or("");
    ASSERT_EQ(open, std::vector<std::string>{real + "/dat/" + scene + ".dat"})
        << "at second " << second << (window.Ended() ? ", ended: " : "")
        << (errors.empty() ? "" : errors.front().toStdString()) << ", scene "
        << window.game().SceneName().value_or("none") << ", reader "
        << window.game().TimIve().Enabled() << "/" << window.game().TimIve().Interval() << ", text "
        << window.game().Controls().lbl.caption;
    if (second == warm_up) {
      heap_after_warm_up = heap;
      descriptors_after_warm_up = OpenDescriptors();
    }
    if (second >= warm_up) most_heap = std::max(most_heap, heap);
  }
  player.stop();
  std::printf("%d games in %d s; heap after warm-up %lld bytes, at most %lld\n", games, seconds,
              static_cast<long long>(heap_after_warm_up), static_cast<long long>(most_heap));
  EXPECT_FALSE(window.Ended()) << (errors.empty() ? "" : errors.front().toStdString());
  EXPECT_GE(games, 10);
  EXPECT_LT(most_heap - heap_after_warm_up, 1 << 20)
      << "the heap grew from " << heap_after_warm_up << " to " << most_heap << " bytes in " << games
      << " games";
  EXPECT_EQ(OpenDescriptors(), descriptors_after_warm_up);
}

// What the game takes from a hostile folder, the window shows: the longest line that a
// story may hold, page after page of them, and a gift list of a hundred thousand items.
TEST(WindowLoad, TheLongestLinesAndAHundredThousandItemsAreShown) {
  HostileFolder folder;
  std::string list;
  for (int i = 0; i < 100'000; ++i) list += "item" + std::to_string(i) + "\r\n";
  folder.Bytes("dat/lst.dat", list);
  const std::string longest(kLongestLine, 'x');
  folder.Scene("00", {longest, longest, "-p", longest, ">item99999", "1", "10", "10"});
  folder.Scene("10", {"after", "-p", ">end"});

  VirtualClock clock;
  VirtualTuneDevice tune([&] { return clock.Now(); });
  MciInterpreter mci(tune);
  DiskFileSystem files;
  std::vector<QString> errors;
  GameWindow window({files, mci, QuietBoxes(&errors), &clock});
  ASSERT_TRUE(window.Start(folder.Path()));
  EXPECT_EQ(Lst(&window)->count(), 100'000);
  Advance(window, clock, 300);  // two lines of a megabyte each, then the page break
  // Two lines, a line break and the continue mark, drawn.
  EXPECT_EQ(Lbl(&window)->text().size(), 2 * static_cast<qsizetype>(kLongestLine) + 1 + 3);
  EXPECT_FALSE(window.grab().isNull());
  QTest::mouseClick(Lbl(&window), Qt::LeftButton, {}, QPoint(5, 5));  // a new page
  QTest::mouseClick(Lbl(&window), Qt::LeftButton, {}, QPoint(5, 5));  // the prompt
  ASSERT_TRUE(AddCom(&window)->isVisible());
  Lst(&window)->setCurrentRow(99'999);
  QTest::mouseClick(AddCom(&window), Qt::LeftButton);
  EXPECT_EQ(Lst(&window)->count(), 99'999);
  EXPECT_FALSE(window.grab().isNull());
  EXPECT_EQ(window.game().Love(), 1);
  Advance(window, clock, 300);
  QTest::mouseClick(Lbl(&window), Qt::LeftButton, {}, QPoint(5, 5));  // a new game
  EXPECT_EQ(Lst(&window)->count(), 100'000);
  EXPECT_FALSE(window.Ended()) << (errors.empty() ? "" : errors.front().toStdString());
}

// The program plays the story through in its window when started with --play-through
// (window_playthrough.cpp), here under strace.
TEST(NoWrites, TheWindowPlayingThroughWritesNothingAnywhere) {
  const WriteWatch watch("velune-window-no-writes");
  const fs::path out = watch.scratch / "out";
  const std::string command = watch.InWorkFolder(
      "env QT_QPA_PLATFORM=offscreen " + fs::read_symlink("/proc/self/exe").string() +
      " --play-through " + watch.story.string() + " > " + out.string() + " 2>&1");
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadAll(out);

  std::string playthrough;
  if (watch.traced) {
    const std::string trace = ReadAll(watch.log);
    const std::size_t begins = trace.find(kBegins);
    const std::size_t ends = trace.find(kEnds);
    ASSERT_NE(begins, std::string::npos);
    ASSERT_NE(ends, std::string::npos);
    playthrough = trace.substr(begins, ends - begins);
  }
  watch.ExpectNothingWritten(playthrough);
  if (!watch.traced) GTEST_SKIP() << "no strace here: the files were checked, the system calls not";
}

}  // namespace
}  // namespace velune::testing
