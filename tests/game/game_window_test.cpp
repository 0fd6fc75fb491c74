// The game window at play. What it shows page by page is compared with the scripted
// player in same_captions_test.cpp, its shape and picture in window_layout_test.cpp.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "story/texts.h"
#include "window_fixture.h"

namespace velune::testing {
namespace {

QString Qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QColor kRedColour(255, 0, 0);
const QColor kBlackColour(0, 0, 0);

QColor PixelOf(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }

TEST_F(WindowTest, OpensAsTheRedVeluneWindowWithTheGamesCaptions) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(window_->windowTitle(), "Velune");
  ASSERT_FALSE(window_->windowIcon().isNull());
  EXPECT_EQ(window_->windowIcon().pixmap(32, 32).toImage().pixelColor(24, 8), kRedColour);
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Lbl()->text(), "");
  EXPECT_EQ(LoveLbl()->text(), "");
  EXPECT_EQ(Lbl()->toolTip(), Qt(texts::kStoryTip));
  EXPECT_EQ(Lst()->toolTip(), Qt(texts::kListTip));
  EXPECT_EQ(AddCom()->toolTip(), Qt(texts::kGiveTip));
  EXPECT_EQ(LoveLbl()->toolTip(), "");
  EXPECT_EQ(AddCom()->text(), Qt(texts::kGiveCaption));
  EXPECT_TRUE(AddCom()->isHidden());
  ASSERT_EQ(Lst()->count(), 3);
  EXPECT_EQ(Lst()->item(0)->text(), "ring");
  EXPECT_EQ(Lst()->item(1)->text(), QString::fromUtf8("ラムネ"));
  EXPECT_EQ(Lst()->item(2)->text(), "book");
  EXPECT_TRUE(Lst()->selectedItems().isEmpty());
  EXPECT_EQ(Lst()->palette().color(QPalette::Base), kBlackColour);
  EXPECT_EQ(Lst()->palette().color(QPalette::Text), QColor(255, 255, 255));
  EXPECT_EQ(Lbl()->palette().color(QPalette::WindowText), kBlackColour);
  EXPECT_EQ(LoveLbl()->palette().color(QPalette::WindowText), kBlackColour);
  // Red, with the text straight on the red and a black list.
  const QImage shot = window_->grab().toImage();
  EXPECT_EQ(shot.pixelColor(2, 2), kRedColour);                  // the window
  EXPECT_EQ(shot.pixelColor(8 + 150, 8 + 120), kRedColour);      // inside Img, no picture yet
  EXPECT_EQ(shot.pixelColor(8, 8), kBlackColour);                // Img's border
  EXPECT_EQ(shot.pixelColor(8 + 400, 365 + 80), kRedColour);     // Lbl is transparent
  EXPECT_EQ(shot.pixelColor(482 + 100, 399 + 40), kRedColour);   // so is LoveLbl
  EXPECT_EQ(shot.pixelColor(482 + 100, 8 + 200), kBlackColour);  // the list, below its entries
}

TEST_F(WindowTest, TheListHasTheFocusAndTabGoesLblLstAddComImg) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(window_->focusWidget(), Lst());
  EXPECT_EQ(Lbl()->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(LoveLbl()->focusPolicy(), Qt::NoFocus);
  QStringList order;
  QWidget* widget = Lbl();
  do {
    if (widget->parentWidget() == window_.get()) order << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != Lbl());
  EXPECT_EQ(order.mid(0, 4), (QStringList{"Lbl", "Lst", "AddCom", "Img"}));

  ReachPrompt();  // the give button is shown: Tab goes from the list to it, and on
  QTest::keyClick(Lst(), Qt::Key_Tab);
  EXPECT_EQ(window_->focusWidget(), AddCom());
  QTest::keyClick(AddCom(), Qt::Key_Tab);
  EXPECT_EQ(window_->focusWidget(), Img());
  QTest::keyClick(Img(), Qt::Key_Tab);
  EXPECT_EQ(window_->focusWidget(), Lst());
}

TEST_F(WindowTest, LongStoryLinesWrapAtTheLabelsWidth) {
  std::string long_line;
  for (int i = 0; i < 60; ++i) long_line += kACp932;
  folder_.Scene("00", {long_line, "next"});
  ASSERT_TRUE(Start());
  Wait(100);
  ASSERT_EQ(Lbl()->text(), QString(60, QChar(0x3042)));
  const int unwrapped = Lbl()->heightForWidth(100000);  // wide enough for one line
  EXPECT_GT(Lbl()->heightForWidth(Lbl()->width()), unwrapped);
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
  EXPECT_TRUE(AddCom()->isVisible());
  const QImage face = AddCom()->grab().toImage();
  EXPECT_EQ(face.pixelColor(10, face.height() / 2), kRedColour);
  EXPECT_EQ(face.pixelColor(face.width() - 10, 10), kRedColour);
  EXPECT_EQ(face.pixelColor(face.width() - 10, face.height() - 10), kRedColour);
  // The button's colours reach nothing else: the list stays as the game colours it.
  EXPECT_EQ(PixelOf(Lst(), QPoint(116, 200)), kBlackColour);
  EXPECT_EQ(Lbl()->text(),
            QString("line6") + Qt(texts::kContinueMark) + "\n\n" + Qt(texts::kPromptText));
  ClickLbl();  // does nothing while she waits for a present
  EXPECT_TRUE(Lbl()->text().endsWith(Qt(texts::kPromptText)));
  Wait(300);  // three ticks: red 6, 11, 16
  EXPECT_EQ(Lst()->palette().color(QPalette::Base), QColor(16, 0, 0));
  EXPECT_EQ(PixelOf(Lst(), QPoint(116, 200)), QColor(16, 0, 0));
  Wait(2000);
  EXPECT_EQ(Lst()->palette().color(QPalette::Base), QColor(116, 0, 0));
}

TEST_F(WindowTest, GivingTheRightItemFillsTheLoveMeterForTheGame) {
  ASSERT_TRUE(Start());
  ReachPrompt();
  ClickEntry(1);
  EXPECT_EQ(game().Controls().lst.selected, 1);
  ClickGive();
  EXPECT_EQ(game().Love(), 7);
  const QString meter = QString::fromUtf8("♪♪♪♪♪♪♪♪\n love・・・");
  EXPECT_EQ(LoveLbl()->text(), meter);
  EXPECT_EQ(LoveLbl()->toolTip(), "7");
  EXPECT_TRUE(AddCom()->isHidden());
  EXPECT_EQ(Lbl()->text(), "");
  ASSERT_EQ(Lst()->count(), 2);
  EXPECT_EQ(Lst()->item(0)->text(), "ring");
  EXPECT_EQ(Lst()->item(1)->text(), "book");
  EXPECT_TRUE(Lst()->selectedItems().isEmpty());
  EXPECT_EQ(Lst()->palette().color(QPalette::Base), kBlackColour);
  Wait(100);
  EXPECT_EQ(Lbl()->text(), "right");
  Wait(100);   // -p: waiting
  ClickLbl();  // >ive>00: the same game goes on
  EXPECT_EQ(Lst()->count(), 2);
  EXPECT_EQ(LoveLbl()->text(), meter);
}

TEST_F(WindowTest, GivingAWrongItemLeavesTheMeterAlone) {
  ASSERT_TRUE(Start());
  ReachPrompt();
  ClickEntry(2);
  ClickGive();
  EXPECT_EQ(game().Love(), 0);
  EXPECT_EQ(LoveLbl()->text(), "");
  ASSERT_EQ(Lst()->count(), 2);
  EXPECT_EQ(Lst()->item(1)->text(), QString::fromUtf8("ラムネ"));
  Wait(100);
  EXPECT_EQ(Lbl()->text(), "wrong");
}

TEST_F(WindowTest, TheGiveButtonWithNothingSelectedDoesNothing) {
  ASSERT_TRUE(Start());
  ReachPrompt();
  ClickGive();
  EXPECT_TRUE(AddCom()->isVisible());
  EXPECT_TRUE(game().TimQst().Enabled());
  Wait(5000);  // the time runs out: on to the scene for a wrong present
  EXPECT_TRUE(AddCom()->isHidden());
  EXPECT_EQ(Lst()->count(), 3);
  EXPECT_EQ(game().SceneName(), "11");
}

TEST_F(WindowTest, TheListsSelectionIsTheGamesOnly) {
  ASSERT_TRUE(Start());
  QTest::keyClick(Lst(), Qt::Key_Down);  // the keyboard moves it
  QTest::keyClick(Lst(), Qt::Key_Down);
  EXPECT_EQ(game().Controls().lst.selected, Lst()->currentRow());
  EXPECT_GE(game().Controls().lst.selected, 0);
  ClickEntry(2);
  ASSERT_EQ(game().Controls().lst.selected, 2);
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
    QTest::qWait(450);  // the message box waits; the window's timers go on meanwhile
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

TEST_F(WindowTest, ClosingTheWindowStopsTheTuneAndEndsTheProgram) {
  ASSERT_TRUE(Start());
  ReachPrompt();
  QSignalSpy finished(window_.get(), &GameWindow::finished);
  mci_.commands.clear();
  EXPECT_TRUE(window_->close());
  ASSERT_EQ(finished.size(), 1);
  EXPECT_EQ(finished[0][0].toInt(), 0);
  EXPECT_TRUE(window_->Ended());
  EXPECT_TRUE(game().Ended());
  EXPECT_EQ(mci_.commands, (std::vector<std::string>{"stop MIDI notify", "close MIDI notify"}));
  EXPECT_TRUE(errors_.empty());
  const std::string caption = game().Controls().lbl.caption;
  Wait(10000);
  EXPECT_EQ(game().Controls().lbl.caption, caption);
}

TEST_F(WindowTest, AnErrorIsReportedAndEndsTheProgram) {
  folder_.Scene("00", {"text", ">ive>nowhere"});
  ASSERT_TRUE(Start());
  QSignalSpy finished(window_.get(), &GameWindow::finished);
  mci_.commands.clear();
  Wait(200);
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(errors_[0].contains("nowhere")) << errors_[0].toStdString();
  ASSERT_EQ(finished.size(), 1);
  EXPECT_NE(finished[0][0].toInt(), 0);
  EXPECT_NE(window_->ExitStatus(), 0);
  EXPECT_TRUE(window_->Ended());
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(mci_.commands, (std::vector<std::string>{"stop MIDI notify", "close MIDI notify"}));
}

TEST_F(WindowTest, AnErrorOnTheRealTimersEndsTheProgramBehindTheAboutMessage) {
  folder_.Scene("00", {"text", ">ive>nowhere"});
  ASSERT_TRUE(Start(/*real_timers=*/true));
  bool ended_behind_the_box = false;
  during_about_ = [&] {
    ended_behind_the_box = QTest::qWaitFor([&] { return window_->Ended(); }, 3000);
  };
  QTest::mouseClick(Img(), Qt::LeftButton);
  EXPECT_TRUE(ended_behind_the_box);
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_NE(window_->ExitStatus(), 0);
  QTest::qWait(250);
  EXPECT_EQ(errors_.size(), 1u);  // reported once, and no tick comes afterwards
}

TEST_F(WindowTest, AMissingGiftListEndsTheGameBeforeAnyText) {
  folder_.Remove("dat/lst.dat");
  folder_.Scene("00", {"text"});
  EXPECT_FALSE(Start());
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(errors_[0].contains("lst")) << errors_[0].toStdString();
  EXPECT_NE(window_->ExitStatus(), 0);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_FALSE(Lbl()->text().contains("text"));
}

}  // namespace
}  // namespace velune::testing
