// The game window under load: skipping through game after game without growing, the
// largest lines and lists a story may hold, and a whole playthrough from a read-only story
// folder that writes nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstring>

#include "game/window_fixture.h"
#include "hostile_folder.h"
#include "media/mci_interpreter.h"
#include "media/virtual_tune_device.h"
#include "story/line_reader.h"

namespace velune::testing {
namespace {

// strace notes these file names, which name nothing, where the playthrough begins and ends.
constexpr char kBegins[] = "/velune-window-playthrough-begins";
constexpr char kEnds[] = "/velune-window-playthrough-ends";

// Message boxes that show nothing; errors are noted.
MessageBoxes QuietBoxes(std::vector<QString>* errors) {
  return {[](QWidget*, const QString&) {},
          [errors](QWidget*, const QString& text) { errors->push_back(text); }};
}

// A window with a tune, on a virtual clock or on real time and real timers.
struct WindowOn {
  explicit WindowOn(const std::string& folder, bool real = false) : real_time(real) {
    started = window.Start(folder);
  }
  const bool real_time;
  const std::chrono::steady_clock::time_point begun = std::chrono::steady_clock::now();
  VirtualClock clock;
  VirtualTuneDevice tune{[this] {
    using namespace std::chrono;
    return real_time ? duration_cast<milliseconds>(steady_clock::now() - begun).count()
                     : clock.Now();
  }};
  MciInterpreter mci{tune};
  DiskFileSystem files;
  std::vector<QString> errors;
  GameWindow window{{files, mci, QuietBoxes(&errors), real_time ? nullptr : &clock}};
  bool started = false;
  std::string Error() const { return errors.empty() ? "" : errors.front().toStdString(); }
};

void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(widget, button, {}, QPoint(5, 5));
}

int SoakSeconds() {
  const char* seconds = std::getenv("VELUNE_WINDOW_SOAK_SECONDS");
  return seconds != nullptr && std::atoi(seconds) > 0 ? std::atoi(seconds) : 20;
}

TEST(WindowSoak, SkippingThroughGameAfterGameTheWindowDoesNotGrow) {
  StoryFolder folder;
  SoakStory(folder);
  WindowOn on(folder.Path(), true);
  ASSERT_TRUE(on.started);
  GameWindow& window = on.window;

  // Gives the first item at every prompt, and otherwise skips ahead.
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
      Click(AddCom(&window));
    } else {
      Click(Lbl(&window), Qt::RightButton);
    }
  });
  player.start(20);

  const std::string real = fs::canonical(folder.Path()).string();
  const int seconds = SoakSeconds();
  const int warm_up = std::max(5, seconds / 4);
  std::int64_t heap_after_warm_up = 0;
  std::int64_t most_heap = 0;
  std::size_t descriptors_after_warm_up = 0;
  for (int second = 1; second <= seconds && !window.Ended(); ++second) {
    QTest::qWait(1000);
    const std::string scene = window.game().SceneName().value_or("");
    ASSERT_EQ(OpenFilesUnder(real), std::vector<std::string>{real + "/dat/" + scene + ".dat"})
        << "at second " << second;
    if (second == warm_up) {
      heap_after_warm_up = HeapInUse();
      descriptors_after_warm_up = OpenFilesUnder("").size();
    }
    if (second >= warm_up) most_heap = std::max(most_heap, HeapInUse());
  }
  player.stop();
  std::printf("%d games in %d s\n", games, seconds);
  EXPECT_FALSE(window.Ended()) << on.Error();
  EXPECT_GE(games, 10);
  EXPECT_LT(most_heap - heap_after_warm_up, 1 << 20)
      << "the heap grew from " << heap_after_warm_up << " to " << most_heap << " bytes";
  EXPECT_EQ(OpenFilesUnder("").size(), descriptors_after_warm_up);
}

// Lines of the longest length a story may hold, and a gift list of a hundred thousand
// items, given from and shown again in a new game.
TEST(WindowLoad, TheLongestLinesAndAHundredThousandItemsAreShown) {
  StoryFolder folder;
  std::string list;
  for (int i = 0; i < 100'000; ++i) list += "item" + std::to_string(i) + "\r\n";
  folder.Bytes("dat/lst.dat", list);
  const std::string longest(kLongestLine, 'x');
  folder.Scene("00", {longest, longest, "-p", longest, ">item99999", "1", "10", "10"});
  folder.Scene("10", {"after", "-p", ">end"});
  WindowOn on(folder.Path());
  ASSERT_TRUE(on.started);
  GameWindow& window = on.window;
  EXPECT_EQ(Lst(&window)->count(), 100'000);
  Advance(window, on.clock, 300);
  // Two lines, a line break and the continue mark.
  EXPECT_EQ(Lbl(&window)->text().size(), 2 * static_cast<qsizetype>(kLongestLine) + 1 + 3);
  EXPECT_FALSE(window.grab().isNull());
  Click(Lbl(&window));  // a new page
  Click(Lbl(&window));  // the prompt
  ASSERT_TRUE(AddCom(&window)->isVisible());
  Lst(&window)->setCurrentRow(99'999);
  Click(AddCom(&window));
  EXPECT_EQ(Lst(&window)->count(), 99'999);
  EXPECT_FALSE(window.grab().isNull());
  EXPECT_EQ(window.game().Love(), 1);
  Advance(window, on.clock, 300);
  Click(Lbl(&window));  // a new game
  ASSERT_EQ(Lst(&window)->count(), 100'000);
  EXPECT_EQ(Lst(&window)->item(99'999)->text(), "item99999");
  EXPECT_FALSE(window.Ended()) << on.Error();
}

// Plays tests/tool/plays/end3.play in the window; 0 when the third ending was reached.
int PlayThroughInWindow(const std::string& folder) {
  std::ifstream play(std::string(VELUNE_SOURCE_DIR) + "/tests/tool/plays/end3.play");
  const auto actions = ParseScript(play);
  ::access(kBegins, F_OK);
  bool ended_well = false;
  {
    WindowOn on(folder);
    GameWindow& window = on.window;
    ended_well = on.started;
    for (std::size_t i = 0; i < actions.size() && ended_well; ++i) {
      const Action& action = actions[i];
      if (action.kind == Action::Kind::kWait) Advance(window, on.clock, action.value);
      if (action.kind == Action::Kind::kClick) {
        Click(Lbl(&window), action.value == 2 ? Qt::RightButton : Qt::LeftButton);
      }
      if (action.kind == Action::Kind::kSelect) {
        Lst(&window)->setCurrentRow(static_cast<int>(action.value));
      }
      if (action.kind == Action::Kind::kGive) Click(AddCom(&window));
      ended_well = !window.Ended();
      if (!ended_well)
        std::fprintf(stderr, "ended at line %d: %s\n", action.line, on.Error().c_str());
    }
    ended_well = ended_well && window.game().SceneName() == "end3" && window.game().Love() == 30;
    window.close();
    ended_well = ended_well && window.Ended();
  }
  ::access(kEnds, F_OK);
  return ended_well ? 0 : 1;
}

// This program, started with --play-through, under strace.
TEST(NoWrites, TheWindowPlayingThroughWritesNothingAnywhere) {
  const WriteWatch watch;
  const fs::path out = watch.scratch.At("out");
  const std::string command = watch.InWorkFolder(
      "env QT_QPA_PLATFORM=offscreen " + fs::read_symlink("/proc/self/exe").string() +
      " --play-through " + watch.story.string() + " > " + out.string() + " 2>&1");
  EXPECT_EQ(std::system(command.c_str()), 0) << ReadFile(out);
  std::string playthrough;
  if (watch.traced) {
    const std::string trace = ReadFile(watch.log);
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

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--play-through") == 0) {
    return velune::testing::PlayThroughInWindow(argv[2]);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
