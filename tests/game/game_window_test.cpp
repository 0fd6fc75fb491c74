#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <nlohmann/json.hpp>
#include <sstream>

#include "game/message_boxes.h"
#include "game/qt_timers.h"
#include "story/texts.h"
#include "story/user_languages.h"
#include "tool/script.h"
#include "tool/scripted_player.h"
#include "window_fixture.h"

namespace velune::testing {
namespace {

QString Qt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Red, the text straight on the red, the picture framed in black, a black list with the
// focus; at the prompt the give button shows, flat red, a colour that reaches nothing else.
TEST_F(WindowTest, TheRedWindowWithTheGamesCaptions) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(window_->windowIcon().pixmap(32, 32).toImage().pixelColor(24, 8), QColor(Qt::red));
  EXPECT_EQ(QStringList({window_->windowTitle(), Lbl(w())->toolTip(), Lst(w())->toolTip(),
                         AddCom(w())->toolTip(), AddCom(w())->text()}),
            QStringList({"Velune", Qt(texts::kStoryTip), Qt(texts::kListTip), Qt(texts::kGiveTip),
                         Qt(texts::kGiveCaption)}));
  EXPECT_TRUE(Lbl(w())->wordWrap());
  const QImage shot = window_->grab().toImage();
  const QColor red(Qt::red), black(Qt::black);
  EXPECT_EQ(
      QList<QColor>({shot.pixelColor(2, 2), shot.pixelColor(158, 128), shot.pixelColor(408, 445),
                     shot.pixelColor(582, 439), shot.pixelColor(8, 8), shot.pixelColor(582, 208)}),
      QList<QColor>({red, red, red, red, black, black}));
  EXPECT_EQ(window_->focusWidget(), Lst(w()));
  Wait(600);  // the picture and a page of five lines; line6, the page break, the prompt
  ClickLbl();
  Wait(100);
  ClickLbl();
  EXPECT_EQ(AddCom(w())->grab().toImage().pixelColor(10, 10), QColor(Qt::red));
  EXPECT_EQ(Lst(w())->grab().toImage().pixelColor(116, 200), QColor(Qt::black));
}

// A left click on the picture shows the about message; the story goes on on real timers.
TEST_F(WindowTest, ClickingThePictureShowsTheAboutMessageAsTheStoryGoesOn) {
  ASSERT_TRUE(Start(/*real_timers=*/true));
  QString before, after;
  during_about_ = [&] { before = Lbl(w())->text(), QTest::qWait(450), after = Lbl(w())->text(); };
  QTest::mouseClick(Img(w()), Qt::RightButton);
  QTest::mouseClick(Img(w()), Qt::LeftButton);
  EXPECT_EQ(abouts_, QStringList{"\n" + Qt(texts::kAboutSecondLine)});
  EXPECT_TRUE(before != after && after.startsWith("line1")) << after.toStdString();
}

// Closed, or ended by an error in the story or at the start: the tune stops, the window
// goes, the program ends once with its status, and a tick under way does nothing.
TEST_F(WindowTest, ClosingOrAnErrorStopsTheTuneAndEndsTheProgramOnce) {
  using Ending = std::pair<const char*, const char*>;  // dat/00.dat, a phrase of the error
  for (const auto& [story, error] :
       {Ending{nullptr, nullptr}, Ending{"text\n>ive>nowhere\n", "nowhere"},
        Ending{"text\n", "lst"}}) {
    const bool at_start = error && *error == 'l';
    SCOPED_TRACE(error ? error : "closed");
    if (story) folder_.Write("dat/00.dat", story);
    if (at_start) folder_.Remove("dat/lst.dat");
    errors_.clear();
    EXPECT_EQ(Start(), !at_start);
    QSignalSpy finished(window_.get(), &GameWindow::finished);
    mci_.commands.clear();
    error ? Wait(200) : void(window_->close());
    const std::string caption = window_->game().Controls().lbl.caption;
    window_->TimerTick(TimerId::kTimIve);
    EXPECT_EQ(window_->game().Controls().lbl.caption, caption);
    EXPECT_EQ(finished.size(), at_start ? 0 : 1);
    EXPECT_EQ(finished.value(0).value(0).toInt(), error && !at_start ? 1 : 0);
    const std::vector<std::string> stopped{"stop MIDI notify", "close MIDI notify"};
    EXPECT_EQ(mci_.commands, at_start ? std::vector<std::string>{} : stopped);
    EXPECT_EQ(window_->ExitStatus(), error ? 1 : 0);
    EXPECT_TRUE(window_->Ended() && window_->game().Ended() && !window_->isVisible());
    EXPECT_EQ(errors_.size(), error ? 1 : 0);
    EXPECT_TRUE(errors_.join("").contains(error ? error : "")) << errors_.join("").toStdString();
  }
}

// One session in the window and in the scripted player shows the same controls after
// every step: reading, skipping with each button, the gift prompt, the right present.
TEST_F(WindowTest, TheWindowShowsWhatTheScriptedPlayerShows) {
  std::string steps =
      "wait 100|click left|click middle|wait 450|click left|wait 100|click left|"
      "wait 300|select 2|select 1|give|wait 150|click left|click left|wait 200|"
      "click right|wait 50|";
  for (auto at = steps.find('|'); at != steps.npos; at = steps.find('|'))
    steps.replace(at, 1, "\nshow\n");
  std::istringstream in(steps);
  const std::vector<Action> script = ParseScript(in);
  std::ostringstream out, err;
  ASSERT_EQ(PlayScript(folder_.Path(), script, false, out, err), kRunOk) << err.str();
  std::istringstream told_lines(out.str());
  const auto text = [](const QLabel* label) {
    return QString(label->text()).replace("\n", "\r\n").toStdString();
  };
  ASSERT_TRUE(Start());
  nlohmann::json shown;
  for (const Action& action : script) {
    const auto v = action.value;
    if (action.kind == Action::Kind::kWait) Wait(v);
    if (action.kind == Action::Kind::kClick && v == 2) {  // a double click, read as one
      QTest::mouseDClick(window_->windowHandle(), Qt::RightButton, {},
                         Lbl(w())->mapTo(w(), QPoint(9, 9)));
    } else if (action.kind == Action::Kind::kClick) {
      ClickLbl(v == 4 ? Qt::MiddleButton : Qt::LeftButton);
    }
    if (action.kind == Action::Kind::kSelect) Lst(w())->setCurrentRow(int(v));
    if (action.kind == Action::Kind::kSelect) Lst(w())->clearSelection();  // it selects again
    if (action.kind == Action::Kind::kGive) QTest::mouseClick(AddCom(w()), Qt::LeftButton);
    if (action.kind != Action::Kind::kShow) continue;
    nlohmann::json told;
    for (std::string line; !told.contains("text");) {
      ASSERT_TRUE(std::getline(told_lines, line)) << "the player showed less";
      told = nlohmann::json::parse(line);
    }
    std::vector<std::string> items;
    for (int i = 0; i < Lst(w())->count(); ++i)
      items.push_back(Lst(w())->item(i)->text().toStdString());
    const QList<QListWidgetItem*> selected = Lst(w())->selectedItems();
    shown = {{"text", text(Lbl(w()))},
             {"meter", text(LoveLbl(w()))},
             {"meterTip", LoveLbl(w())->toolTip().toStdString()},
             {"items", items},
             {"selected", selected.isEmpty() ? -1 : Lst(w())->row(selected.first())},
             {"give", AddCom(w())->isVisible()},
             {"listBg", Lst(w())->palette().color(QPalette::Base).name().toStdString()}};
    for (const auto& [key, value] : shown.items())
      EXPECT_EQ(value, told.at(key)) << key << ", line " << action.line;
  }
  EXPECT_EQ(shown["meter"], "♪♪♪♪♪♪♪♪\r\n love・・・");  // the session got somewhere
}

// Answers the box that `show` opens: its title, icon, text format, OK alone, text; its place.
std::pair<QString, QRect> ShowAndAnswer(const std::function<void()>& show) {
  std::pair<QString, QRect> seen;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    watcher.stop();
    seen = {box->windowTitle() +
                QString::asprintf("|%d%d%d|", box->icon(), box->textFormat(),
                                  box->standardButtons() == QMessageBox::Ok) +
                box->text(),
            box->frameGeometry()};
    box->done(QMessageBox::Ok);
  });
  watcher.start(10);
  show();
  return seen;
}

// The author's preview that watches the story: it starts at a scene with love points, and
// every save starts a new game at the scene saved, in the same window; a broken story shows
// its error in the window, which stays until the next good save.
TEST_F(WindowTest, ThePreviewFollowsEverySave) {
  window_ = std::make_unique<GameWindow>(WindowPorts{files_, mci_, boxes_, &clock_});
  ASSERT_TRUE(window_->Start(folder_.Path(), Preview{"10", 25, true}));
  const QRect place = window_->geometry();
  const auto shows = [&](const QString& text) {
    return QTest::qWaitFor([&] { return Wait(100), Lbl(w())->text().contains(text); }, 10000);
  };
  EXPECT_TRUE(shows("right"));
  EXPECT_EQ(window_->game().Love(), 25);
  folder_.Write("dat/11.dat", "wrong again\n");
  EXPECT_TRUE(shows("wrong again"));
  EXPECT_EQ(window_->game().SceneName(), "11");
  folder_.Write("dat/11.dat", "text\n>ive>nowhere\n");
  EXPECT_TRUE(shows("nowhere")) << Lbl(w())->text().toStdString();
  EXPECT_TRUE(window_->isVisible() && !window_->Ended() && errors_.isEmpty());
  folder_.Write("dat/11.dat", "good again\n");
  EXPECT_TRUE(shows("good again"));
  EXPECT_EQ(window_->game().Love(), 25);
  EXPECT_EQ(window_->geometry(), place);
}

// The about box has no icon, the error box the critical one. An error at the start is shown
// over the window, which the window manager places only once the event loop runs.
TEST_F(WindowTest, TheMessageBoxes) {
  QWidget window;
  window.show();
  EXPECT_EQ(ShowAndAnswer([&] { SystemMessageBoxes().about(&window, "\n良かったら♪"); }).first,
            "Velune|001|\n良かったら♪");
  folder_.Remove("dat/00.dat");
  window_ = std::make_unique<GameWindow>(WindowPorts{files_, mci_, SystemMessageBoxes(), &clock_});
  QTimer::singleShot(0, [&] { window_->windowHandle()->setPosition(200, 150); });
  const auto [box, frame] = ShowAndAnswer([&] { EXPECT_FALSE(window_->Start(folder_.Path())); });
  EXPECT_TRUE(box.startsWith("Velune|301|") && box.contains("00.dat")) << box.toStdString();
  EXPECT_LE((frame.center() - window_->frameGeometry().center()).manhattanLength(), 8);
}

// On a Japanese desktop the error box speaks Japanese; its title is the game's own. The
// test game_window_in_japanese runs this under LANG=ja_JP.UTF-8.
TEST_F(WindowTest, TheErrorBoxSpeaksTheUsersLanguage) {
  SpeakUserLanguage();
  if (LanguageInUse() != Language::kJapanese) GTEST_SKIP() << "for a Japanese locale";
  folder_.Remove("dat/00.dat");
  window_ = std::make_unique<GameWindow>(WindowPorts{files_, mci_, SystemMessageBoxes(), &clock_});
  const auto [box, frame] = ShowAndAnswer([&] { EXPECT_FALSE(window_->Start(folder_.Path())); });
  UseLanguage(Language::kEnglish);
  EXPECT_EQ(box, "Velune|301|dat/00.dat を開けません: ファイルがありません");
}

// None at interval 0, disabled or after StopAll; a tick that runs a nested event loop (a
// message box) is not entered again meanwhile.
TEST(QtTimersTest, TicksComeOnlyWhenArmedAndNeverOverlap) {
  int ticks = 0, depth = 0, deepest = 0;
  QtTimers timers([&](TimerId) {
    deepest = std::max(deepest, ++depth);
    if (++ticks == 1) QTest::qWait(80);
    --depth;
  });
  timers.Arm(TimerId::kTimIve, true, 5);
  timers.Arm(TimerId::kTimQst, true, 5);
  timers.Arm(TimerId::kBgmCheck, true, 0);
  QTest::qWait(200);
  EXPECT_TRUE(deepest == 1 && ticks > 2) << deepest << " deep, " << ticks << " ticks";
  timers.Arm(TimerId::kTimQst, false, 5);
  EXPECT_FALSE(timers.Ticking(TimerId::kBgmCheck) || timers.Ticking(TimerId::kTimQst));
  timers.StopAll();
  timers.Arm(TimerId::kTimIve, true, 5);
  EXPECT_FALSE(timers.Ticking(TimerId::kTimIve));
}

}  // namespace
}  // namespace velune::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
