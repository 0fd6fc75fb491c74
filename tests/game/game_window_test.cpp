// The game window at play: it shows the game's controls and passes the player's events
// on. What it shows step by step is compared with the scripted player; the rules of the
// gift prompt are the game's own.
#include <QSignalSpy>
#include <nlohmann/json.hpp>
#include <sstream>

#include "story/texts.h"
#include "tool/script.h"
#include "tool/scripted_player.h"
#include "window_test.h"

namespace velune::testing {
namespace {

QString Qt(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

TEST_F(WindowTest, OpensAsTheRedVeluneWindowWithTheGamesCaptions) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(window_->windowTitle(), "Velune");
  EXPECT_EQ(window_->windowIcon().pixmap(32, 32).toImage().pixelColor(24, 8), kRed);
  EXPECT_EQ(Lbl()->toolTip(), Qt(texts::kStoryTip));
  EXPECT_EQ(Lst()->toolTip(), Qt(texts::kListTip));
  EXPECT_EQ(AddCom()->toolTip(), Qt(texts::kGiveTip));
  EXPECT_EQ(AddCom()->text(), Qt(texts::kGiveCaption));
  EXPECT_EQ(Lst()->palette().color(QPalette::Text), QColor(255, 255, 255));
  // Red, the text straight on the red, the picture area framed in black, a black list.
  const QImage shot = window_->grab().toImage();
  const struct {
    const char* what;
    int x, y;
    QColor colour;
  } pixels[] = {{"the window", 2, 2, kRed},
                {"Img's border", 8, 8, kBlack},
                {"Img, no picture yet", 158, 128, kRed},
                {"Lbl", 408, 445, kRed},
                {"LoveLbl", 582, 439, kRed},
                {"Lst below its entries", 582, 208, kBlack}};
  for (const auto& p : pixels) EXPECT_EQ(shot.pixelColor(p.x, p.y), p.colour) << p.what;
}

TEST_F(WindowTest, TheListHasTheFocusAndTabGoesOnToTheGiveButtonAndThePicture) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(window_->focusWidget(), Lst());
  ReachPrompt();  // the give button is shown
  for (QWidget* next : std::initializer_list<QWidget*>{AddCom(), Img(), Lst()}) {
    QTest::keyClick(window_->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(window_->focusWidget(), next);
  }
}

TEST_F(WindowTest, LongStoryLinesWrapAtTheLabelsWidth) {
  std::string long_line;
  for (int i = 0; i < 60; ++i) long_line += "あ";
  folder_.Write("dat/00.dat", long_line + "\nnext\n");
  ASSERT_TRUE(Start());
  Wait(100);
  ASSERT_EQ(Lbl()->text(), QString(60, QChar(0x3042)));
  EXPECT_GT(Lbl()->heightForWidth(Lbl()->width()), Lbl()->heightForWidth(100000));
}

// A double click is one press: the window system sends its second press as a double
// click, and the story reads one line, whichever the button.
TEST_F(WindowTest, ADoubleClickOnTheStoryReadsOneLine) {
  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    SCOPED_TRACE(button);
    ASSERT_TRUE(Start());
    Wait(100);  // the picture line
    QTest::mouseDClick(window_->windowHandle(), button, {},
                       Lbl()->mapTo(window_.get(), QPoint(10, 10)));
    EXPECT_EQ(Lbl()->text(), QString::fromUtf8("line1 あ"));
  }
}

TEST_F(WindowTest, APromptShowsAFlatRedGiveButtonAndTheListGlowsTowardsRed) {
  ASSERT_TRUE(Start());
  ReachPrompt();
  const QImage face = AddCom()->grab().toImage();
  const int w = face.width(), h = face.height();
  for (const QPoint at : {QPoint(10, h / 2), QPoint(w - 10, 10), QPoint(w - 10, h - 10)}) {
    EXPECT_EQ(face.pixelColor(at), kRed);
  }
  // The button's colours reach nothing else; the list shows the colour that the game gives.
  EXPECT_EQ(Lst()->grab().toImage().pixelColor(116, 200), kBlack);
  Wait(300);  // three ticks: red 6, 11, 16
  EXPECT_EQ(Lst()->grab().toImage().pixelColor(116, 200), QColor(16, 0, 0));
}

TEST_F(WindowTest, TheListsSelectionIsTheGamesOnly) {
  ASSERT_TRUE(Start());
  QTest::keyClick(Lst(), Qt::Key_Down);  // the keyboard moves it
  QTest::keyClick(Lst(), Qt::Key_Down);
  EXPECT_GE(game().Controls().lst.selected, 0);
  EXPECT_EQ(game().Controls().lst.selected, Lst()->currentRow());
  ClickEntry(2);
  Lst()->clearSelection();  // a list box of the game always keeps its selection
  ASSERT_EQ(Lst()->selectedItems().size(), 1);
  EXPECT_EQ(Lst()->row(Lst()->selectedItems().first()), 2);
}

// A left click on the picture shows the about message; the story goes on meanwhile on the
// real timers.
TEST_F(WindowTest, ClickingThePictureShowsTheAboutMessageAsTheStoryGoesOn) {
  ASSERT_TRUE(Start(/*real_timers=*/true));
  QString before, after;
  during_about_ = [&] {
    before = Lbl()->text();
    QTest::qWait(450);
    after = Lbl()->text();
  };
  QTest::mouseClick(Img(), Qt::RightButton);
  EXPECT_TRUE(abouts_.empty());  // a click is the left button's
  QTest::mouseClick(Img(), Qt::LeftButton);
  ASSERT_EQ(abouts_.size(), 1u);
  EXPECT_EQ(abouts_[0], QString("\n") + Qt(texts::kAboutSecondLine));
  EXPECT_NE(before, after);
  EXPECT_TRUE(after.startsWith("line1"));
}

TEST_F(WindowTest, ClosingOrAnErrorStopsTheTuneAndEndsTheProgramOnce) {
  for (const bool error : {false, true}) {
    SCOPED_TRACE(error ? "an error in the story" : "closed by the player");
    if (error) folder_.Write("dat/00.dat", "text\n>ive>nowhere\n");
    ASSERT_TRUE(Start());
    QSignalSpy finished(window_.get(), &GameWindow::finished);
    mci_.commands.clear();
    if (error) {
      Wait(200);
    } else {
      EXPECT_TRUE(window_->close());
    }
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].toInt(), error ? 1 : 0);
    EXPECT_EQ(window_->ExitStatus(), error ? 1 : 0);
    EXPECT_TRUE(window_->Ended());
    EXPECT_TRUE(game().Ended());
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(mci_.commands, (std::vector<std::string>{"stop MIDI notify", "close MIDI notify"}));
    ASSERT_EQ(errors_.size(), error ? 1u : 0u);
    if (error) {
      EXPECT_TRUE(errors_[0].contains("nowhere")) << errors_[0].toStdString();
    }
    const std::string caption = game().Controls().lbl.caption;
    window_->TimerTick(TimerId::kTimIve);  // a tick that was under way: it does nothing
    EXPECT_EQ(game().Controls().lbl.caption, caption);
    EXPECT_EQ(finished.size(), 1);
  }
}

TEST_F(WindowTest, AMissingGiftListEndsTheGameBeforeAnyText) {
  folder_.Remove("dat/lst.dat");
  folder_.Write("dat/00.dat", "text\n");
  EXPECT_FALSE(Start());
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(errors_[0].contains("lst")) << errors_[0].toStdString();
  EXPECT_NE(window_->ExitStatus(), 0);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_FALSE(Lbl()->text().contains("text"));
}

// The window and velune-tool run play the same game: one session, acted out in both,
// must show the same controls after every step.
// Reading, skipping with each button, the gift prompt, the right present given, and on.
constexpr char kSession[] =
    "wait 100\nclick left\nclick middle\nwait 450\nclick left\nwait 100\nclick left\nwait 300\n"
    "select 2\nselect 1\ngive\nwait 150\nclick left\nclick left\nwait 200\nclick right\nwait 50\n";

TEST_F(WindowTest, TheWindowShowsWhatTheScriptedPlayerShows) {
  std::istringstream session(kSession);
  const std::vector<Action> actions = ParseScript(session);
  std::vector<Action> script;
  for (const Action& action : actions) {
    script.push_back(action);
    script.push_back(Action{Action::Kind::kShow});
  }
  std::ostringstream out, err;
  ASSERT_EQ(PlayScript(folder_.Path(), script, false, out, err), kRunOk) << err.str();
  std::istringstream tool_lines(out.str());

  const auto caption = [](const QLabel* label) {
    return QString(label->text()).replace("\n", "\r\n").toStdString();
  };
  ASSERT_TRUE(Start());
  std::string meter;
  for (const Action& action : actions) {
    if (action.kind == Action::Kind::kWait) Wait(action.value);
    if (action.kind == Action::Kind::kClick) {
      ClickLbl(action.value == 2   ? Qt::RightButton
               : action.value == 4 ? Qt::MiddleButton
                                   : Qt::LeftButton);
    }
    if (action.kind == Action::Kind::kSelect) ClickEntry(static_cast<int>(action.value));
    if (action.kind == Action::Kind::kGive) QTest::mouseClick(AddCom(), Qt::LeftButton);
    nlohmann::json tool;
    while (!tool.contains("text")) {
      std::string line;
      ASSERT_TRUE(std::getline(tool_lines, line)) << "the player showed less";
      tool = nlohmann::json::parse(line);
    }
    std::vector<std::string> items;
    for (int i = 0; i < Lst()->count(); ++i) items.push_back(Lst()->item(i)->text().toStdString());
    const QList<QListWidgetItem*> selected = Lst()->selectedItems();
    const nlohmann::json shown = {
        {"text", caption(Lbl())},
        {"meter", caption(LoveLbl())},
        {"meterTip", LoveLbl()->toolTip().toStdString()},
        {"items", items},
        {"selected", selected.isEmpty() ? -1 : Lst()->row(selected.first())},
        {"give", AddCom()->isVisible()},
        {"listBg", Lst()->palette().color(QPalette::Base).name().toStdString()},
    };
    nlohmann::json told;
    for (const auto& item : shown.items()) told[item.key()] = tool.at(item.key());
    EXPECT_EQ(shown, told) << "after the action of line " << action.line;
    meter = shown["meter"];
  }
  EXPECT_EQ(meter, "♪♪♪♪♪♪♪♪\r\n love・・・");  // the session got somewhere
}

}  // namespace
}  // namespace velune::testing
