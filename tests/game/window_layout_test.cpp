// The game window's layout at work, where its rules come together: the real window
// resized offscreen. The arithmetic of sizes alone is in layout_rules_test.cpp.
#include "game/window_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QResizeEvent>
#include <QTimer>
#include <cmath>
#include <string>

#include "game/gift_list.h"
#include "game/layout_rules.h"
#include "window_test.h"

namespace velune::testing {
namespace {

int PointSize(const QWidget* widget) { return widget->font().pointSize(); }

class WindowLayoutTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Start());
    Wait(100);  // the picture
  }

  int FrameHeight() const { return window_->frameGeometry().height() - window_->height(); }
  int OuterWidth() const { return window_->frameGeometry().width(); }
  int OuterHeight() const { return window_->frameGeometry().height(); }
  bool InShape() const {
    return OuterWidth() == layout::TwipsToPixels(*layout::OuterWidthTwips(OuterHeight() * 15));
  }
  const WindowLayout::Counts& Counts() const { return window_->layout().counts(); }
  GiftList* List() const { return window_->findChild<GiftList*>("Lst"); }
  QList<QRect> Places() const {
    return {Img()->geometry(), Lbl()->geometry(), Lst()->geometry(), AddCom()->geometry(),
            LoveLbl()->geometry()};
  }

  // Resizes the window as the player would after leaving it alone for a moment: long
  // enough for the resize not to be taken for the window manager's answer to a request.
  void ResizeOuter(int outer_width, int outer_height) {
    QTest::qWait(layout::WidthRequests::kAnswerMs + 10);
    window_->resize(outer_width - (OuterWidth() - window_->width()), outer_height - FrameHeight());
  }

  // The five controls lie on the window's 40 × 30 grid, each edge within a pixel or so of
  // its line; the list shows whole rows; the fonts follow the outer height; the picture
  // (blue left half, green right half) covers the whole picture area.
  void ExpectLaidOut() const {
    const double x = window_->width() / 40.0, y = window_->height() / 30.0;
    const QRect img = Img()->geometry(), lbl = Lbl()->geometry(), lst = Lst()->geometry();
    const QRect button = AddCom()->geometry(), meter = LoveLbl()->geometry();
    const int row = List()->RowHeight(), frame = List()->frameWidth();
    const struct {
      const char* what;
      int at;
      double line;
    } edges[] = {
        // clang-format off
        {"Img left", img.x(), 0.5 * x}, {"Img top", img.y(), 0.5 * y},
        {"Img right", img.right() + 1, 30.5 * x}, {"Img bottom", img.bottom() + 1, 23 * y},
        {"Lbl top", lbl.y(), img.bottom() + 1 + 0.5 * y},
        {"Lbl bottom", lbl.bottom() + 1, 29.5 * y},
        {"Lst left", lst.x(), img.right() + 1 + 0.5 * x}, {"Lst right", lst.right() + 1, 39.5 * x},
        {"AddCom top", button.y(), lst.bottom() + 1 + 0.5 * y},
        {"LoveLbl top", meter.y(), button.bottom() + 1 + 0.5 * y},
        {"LoveLbl height", meter.height(), button.height() - 0.5 * y},
        {"LoveLbl bottom", meter.bottom() + 1, 29.5 * y},
        // clang-format on
    };
    for (const auto& e : edges) EXPECT_NEAR(e.at, e.line, 1.5) << e.what;
    EXPECT_EQ(
        QList<int>({lbl.x(), lbl.width(), button.x(), button.width(), meter.x(), meter.width()}),
        QList<int>({img.x(), img.width(), lst.x(), lst.width(), lst.x(), lst.width()}));
    // The list: the most whole rows that fit in 20 units, one at least.
    EXPECT_LE(lst.height(), std::max(std::lround(20 * y) + 1, long{row + 2 * frame}));
    EXPECT_GT(lst.height() + row, 20 * y - 1);
    EXPECT_EQ((lst.height() - 2 * frame) % row, 0);
    EXPECT_EQ(List()->visualItemRect(List()->item(1)).top(), row);
    const int font = layout::BaseFontSize(OuterHeight() * 15);
    EXPECT_EQ(
        QList<int>({PointSize(Lbl()), PointSize(Lst()), PointSize(LoveLbl()), PointSize(AddCom())}),
        QList<int>({font, font, font - 2, QApplication::font().pointSize()}));
    const QImage shot = Img()->grab().toImage();
    const int w = shot.width(), h = shot.height();
    EXPECT_EQ(QSize(w - 2, h - 2), Img()->InnerSize());
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 0, 0));  // the border
    for (const QPoint at :
         {QPoint(1, 1), QPoint(1, h - 2), QPoint(w - 2, 1), QPoint(w - 2, h - 2)}) {
      EXPECT_EQ(shot.pixelColor(at), at.x() == 1 ? QColor(0, 0, 255) : QColor(0, 255, 0));
    }
  }
};

TEST_F(WindowLayoutTest, TheWindowOpensAt4To3) {
  // 10485 × 6975 twips inside; offscreen the frame is 2 pixels all round, so 469 pixels
  // (7035 twips) high outside and 9376 twips (625 pixels) wide.
  EXPECT_EQ(window_->size(), QSize(621, 465));
  EXPECT_EQ(OuterWidth(), 625);
  EXPECT_EQ(Places().mid(0, 2), QList<QRect>({QRect(8, 8, 466, 349), QRect(8, 365, 466, 92)}));
  EXPECT_EQ(Lst()->geometry().topLeft(), QPoint(482, 8));
  EXPECT_EQ(Lst()->width(), 131);
  EXPECT_EQ(LoveLbl()->geometry().bottom(), 457);  // 29.5 of 30 units down
  ExpectLaidOut();
}

// Up to a very tall window, 25,500 twips: beyond what 16 bits would allow.
TEST_F(WindowLayoutTest, AtEveryHeightTheWidthFollowsAndTheControlsSitOnTheGrid) {
  for (const int height : {120, 200, 300, 469, 555, 640, 777, 900, 1100, 1700}) {
    SCOPED_TRACE("outer height " + std::to_string(height));
    ResizeOuter(height * 2, height);  // twice as wide as it should be
    EXPECT_EQ(OuterHeight(), height);
    EXPECT_TRUE(InShape()) << OuterWidth();
    ExpectLaidOut();
  }
  EXPECT_EQ(OuterWidth(), 2267);  // 34,000 twips
}

TEST_F(WindowLayoutTest, BelowEightHundredTwipsOnlyTheWidthChanges) {
  const QList<QRect> places = Places();
  ResizeOuter(300, 53);         // 795 twips: 132.5 sixths, 132, and 1,056 twips wide
  EXPECT_EQ(OuterWidth(), 70);  // 70.4
  EXPECT_EQ(Places(), places);
  EXPECT_EQ(PointSize(Lbl()), 10);
  ResizeOuter(300, 54);         // 810 twips: laid out, in 3 points
  EXPECT_EQ(OuterWidth(), 72);  // 135 sixths: 1,080 twips
  EXPECT_EQ(PointSize(Lbl()), 3);
  EXPECT_EQ(PointSize(LoveLbl()), 1);
}

TEST_F(WindowLayoutTest, AQuickDragThroughManyHeightsEndsIn4To3) {
  for (int height = 300; height < 700; height += 10) {
    window_->resize(height * 2, height - FrameHeight());
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return InShape(); }, 2000));
  EXPECT_EQ(OuterHeight(), 690);
  ExpectLaidOut();
}

TEST_F(WindowLayoutTest, AWidthAloneSnapsBackToTheHeight) {
  const int height = OuterHeight();
  ResizeOuter(OuterWidth() + 150, height);
  EXPECT_EQ(OuterHeight(), height);
  EXPECT_TRUE(InShape());
  // Dragged once more at the same height: the window is left as it is while the side
  // may still be moving, and snaps back once it is left alone.
  ResizeOuter(OuterWidth() - 100, height);
  EXPECT_FALSE(InShape());
  EXPECT_TRUE(QTest::qWaitFor([&] { return InShape(); }, 2000));
  ExpectLaidOut();
}

// A resize out of shape runs two passes: the player's and, inside it, the one for the
// width that it asks for. A pass at a size in shape asks for nothing and lays out the same.
TEST_F(WindowLayoutTest, AWidthRequestRunsOnePassInsideThePass) {
  const WindowLayout::Counts before = Counts();
  ResizeOuter(1000, 611);
  EXPECT_EQ(Counts().passes, before.passes + 2);
  EXPECT_EQ(Counts().width_requests, before.width_requests + 1);
  EXPECT_EQ(Counts().deepest, 2);
  const QList<QRect> places = Places();
  const int font = PointSize(Lst());
  QResizeEvent again(window_->size(), window_->size());
  QApplication::sendEvent(window_.get(), &again);
  EXPECT_EQ(Counts().passes, before.passes + 3);
  EXPECT_EQ(Counts().width_requests, before.width_requests + 1);
  EXPECT_EQ(Places(), places);
  EXPECT_EQ(PointSize(Lst()), font);
}

// Maximized, the window lays out over its whole client area, whose width is the screen's;
// minimized it asks for no width either, and restored it is in shape again.
TEST_F(WindowLayoutTest, MaximizedOrMinimizedTheWindowAsksForNoWidth) {
  const int requests = Counts().width_requests;
  window_->showMaximized();
  QTest::qWait(50);
  ASSERT_TRUE(window_->isMaximized());
  EXPECT_GT(window_->width(), 621);
  ExpectLaidOut();
  window_->showMinimized();
  QTest::qWait(50);
  window_->showNormal();
  QTest::qWait(50);
  EXPECT_EQ(Counts().width_requests, requests);
  EXPECT_TRUE(InShape());
  ExpectLaidOut();
}

// A window manager with a mind of its own answers every width that the layout asks for,
// soon after, with another size: the requests come to an end, and so do the passes.
TEST_F(WindowLayoutTest, AWindowManagerThatAnswersWithItsOwnSizesStartsNoLoop) {
  const struct {
    const char* name;
    QSize more;
    int delay_ms;
  } ways[] = {{"another width at once", {7, 0}, 0},
              {"another width a little later", {-9, 0}, 30},
              {"another width and height at once", {5, 1}, 0},
              {"another height a little later", {0, -2}, 20}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    ResizeOuter(640, 480);
    QTest::qWait(300);
    const WindowLayout::Counts before = Counts();
    int seen = before.width_requests, answers = 0;
    const EventWatcher manager(window_.get(), [&](QEvent* event) {
      if (event->type() != QEvent::Resize || Counts().width_requests == seen) return;
      seen = Counts().width_requests;  // the resize that a request of the layout made
      QTimer::singleShot(way.delay_ms, window_.get(), [&] {
        ++answers;
        window_->resize(window_->size() + way.more);
      });
    });
    ResizeOuter(1000, 500);
    QTest::qWait(700);
    const int requests = Counts().width_requests - before.width_requests;
    EXPECT_GE(requests, 1);
    EXPECT_EQ(answers, requests);
    EXPECT_LE(requests, layout::WidthRequests::kMostAnswered + 2);
    EXPECT_LE(Counts().deepest, 2);
    const int passes = Counts().passes;  // quiet now: no pass comes any more
    QTest::qWait(400);
    EXPECT_EQ(Counts().passes, passes);
    ExpectLaidOut();
  }
}

}  // namespace
}  // namespace velune::testing
