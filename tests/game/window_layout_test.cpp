// The game window's layout at work: the real window resized offscreen.
#include "game/window_layout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QResizeEvent>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <string>

#include "game/gift_list.h"
#include "game/layout_rules.h"
#include "window_fixture.h"

namespace velune::testing {
namespace {

using layout::BaseFontSize;
using layout::OuterWidthTwips;
using layout::TwipsToPixels;

int PointSize(const QWidget* widget) { return widget->font().pointSize(); }

class WindowLayoutTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Start());
    Wait(100);  // the picture
  }

  int FrameWidth() const { return window_->frameGeometry().width() - window_->width(); }
  int FrameHeight() const { return window_->frameGeometry().height() - window_->height(); }
  int OuterWidth() const { return window_->frameGeometry().width(); }
  int OuterHeight() const { return window_->frameGeometry().height(); }

  // Resizes the window to an outer height of `outer_height` pixels and an outer width of
  // `outer_width`, as the player would after leaving it alone for a moment: long enough
  // for the resize not to be taken for the window manager's answer to a request.
  void ResizeOuter(int outer_width, int outer_height) {
    QTest::qWait(layout::WidthRequests::kAnswerMs + 10);
    window_->resize(outer_width - FrameWidth(), outer_height - FrameHeight());
  }

  // The 4:3 outer width in pixels for an outer height in pixels.
  static int ShapeWidth(int outer_height) {
    return TwipsToPixels(*OuterWidthTwips(outer_height * 15));
  }

  const WindowLayout::Counts& Counts() const { return window_->layout().counts(); }
  GiftList* List() const { return window_->findChild<GiftList*>("Lst"); }

  // The five controls lie on the window's 40 × 30 grid as the layout places them, each
  // within a pixel or so of where its rule puts it.
  void ExpectOnTheGrid() const {
    const double ux = window_->width() / 40.0, uy = window_->height() / 30.0;
    const QRect img = Img()->geometry(), lbl = Lbl()->geometry(), lst = Lst()->geometry();
    const QRect button = AddCom()->geometry(), meter = LoveLbl()->geometry();
    auto edge = [](const QRect& r) { return r.x() + r.width(); };
    auto bottom = [](const QRect& r) { return r.y() + r.height(); };
    // The picture area: 3/4 of the client area across and down, half a unit in.
    EXPECT_NEAR(img.x(), 0.5 * ux, 0.5);
    EXPECT_NEAR(img.y(), 0.5 * uy, 0.5);
    EXPECT_NEAR(edge(img), 30.5 * ux, 0.5);
    EXPECT_NEAR(bottom(img), 23 * uy, 1.5);
    // The story text: under it, as wide, half a unit above the bottom.
    EXPECT_EQ(lbl.x(), img.x());
    EXPECT_EQ(lbl.width(), img.width());
    EXPECT_NEAR(lbl.y(), bottom(img) + 0.5 * uy, 1);
    EXPECT_NEAR(bottom(lbl), 29.5 * uy, 0.5);
    // The list: right of the picture, half a unit from the edge, whole rows of 20 units.
    EXPECT_NEAR(lst.x(), edge(img) + 0.5 * ux, 1);
    EXPECT_NEAR(edge(lst), 39.5 * ux, 1);
    EXPECT_NEAR(lst.y(), 0.5 * uy, 0.5);
    const int row = List()->RowHeight(), frame = List()->frameWidth();
    EXPECT_EQ((lst.height() - 2 * frame) % row, 0) << lst.height() << " " << row;
    EXPECT_LE(lst.height(), std::max(std::lround(20 * uy) + 1, long{row + 2 * frame}));
    EXPECT_GT(lst.height() + row, 20 * uy - 1);
    // The give button and the love meter share what the list leaves, down to 29.5.
    EXPECT_EQ(button.x(), lst.x());
    EXPECT_EQ(button.width(), lst.width());
    EXPECT_NEAR(button.y(), bottom(lst) + 0.5 * uy, 1);
    EXPECT_EQ(meter.x(), button.x());
    EXPECT_EQ(meter.width(), button.width());
    EXPECT_NEAR(meter.y(), bottom(button) + 0.5 * uy, 1);
    EXPECT_NEAR(meter.height(), button.height() - 0.5 * uy, 1.5);
    EXPECT_NEAR(bottom(meter), 29.5 * uy, 1.5);
  }

  // Lbl and Lst in the base size, the love meter two points smaller, the rest as it was.
  void ExpectFontsFor(int outer_height) const {
    const int fs = BaseFontSize(outer_height * 15);
    EXPECT_EQ(PointSize(Lbl()), fs);
    EXPECT_EQ(PointSize(Lst()), fs);
    EXPECT_EQ(PointSize(LoveLbl()), fs - 2);
    EXPECT_EQ(PointSize(AddCom()), QApplication::font().pointSize());
    EXPECT_EQ(PointSize(Img()), QApplication::font().pointSize());
  }

  // The test picture (blue left half, green right half) covers the whole inner area.
  void ExpectPictureFillsItsArea() const {
    const QImage shot = Img()->grab().toImage();
    const int w = shot.width(), h = shot.height();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0, 0, 0));  // the border
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(1, h - 2), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(w / 4, h / 2), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(3 * w / 4, h / 2), QColor(0, 255, 0));
    EXPECT_EQ(QSize(w - 2, h - 2), Img()->InnerSize());  // drawn at the area's own size
    EXPECT_EQ(shot.pixelColor(w - 2, 1), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(w - 2, h - 2), QColor(0, 255, 0));
  }
};

TEST_F(WindowLayoutTest, TheWindowOpensAt4To3) {
  // Made 10485 × 6975 twips inside, then given its 4:3 outer shape by the first layout
  // pass: offscreen the frame is 2 pixels all round, so 469 pixels (7035 twips) high
  // outside and 9376 twips (625 pixels) wide.
  EXPECT_EQ(window_->size(), QSize(621, 465));
  EXPECT_EQ(Img()->geometry(), QRect(8, 8, 466, 349));
  EXPECT_EQ(Lbl()->geometry(), QRect(8, 365, 466, 92));
  EXPECT_EQ(Lst()->geometry().topLeft(), QPoint(482, 8));
  EXPECT_EQ(Lst()->width(), 131);
  EXPECT_EQ(AddCom()->geometry().left(), 482);
  EXPECT_EQ(AddCom()->width(), 131);
  EXPECT_EQ(LoveLbl()->geometry().left(), 482);
  EXPECT_EQ(LoveLbl()->geometry().bottom(), 457);  // 29.5 of 30 units down
  EXPECT_EQ(OuterHeight(), 465 + FrameHeight());
  EXPECT_EQ(OuterWidth(), ShapeWidth(OuterHeight()));
  ExpectOnTheGrid();
  ExpectFontsFor(OuterHeight());
  ExpectPictureFillsItsArea();
}

// Up to a very tall window, 25,500 twips: beyond what 16 bits would allow.
TEST_F(WindowLayoutTest, AtEveryHeightTheWidthFollowsAndTheControlsSitOnTheGrid) {
  for (const int height : {120, 200, 300, 469, 555, 640, 777, 900, 1100, 1700}) {
    SCOPED_TRACE("outer height " + std::to_string(height));
    ResizeOuter(height * 2, height);  // twice as wide as it should be
    EXPECT_EQ(OuterHeight(), height);
    EXPECT_EQ(OuterWidth(), ShapeWidth(height));
    ExpectOnTheGrid();
    ExpectFontsFor(height);
    ExpectPictureFillsItsArea();
    // The list shows whole rows of its font.
    const int row = List()->RowHeight();
    EXPECT_EQ(List()->visualItemRect(List()->item(0)).height(), row);
    EXPECT_EQ(List()->visualItemRect(List()->item(1)).top(), row);
    EXPECT_EQ(List()->height() - List()->viewport()->height(), 2 * List()->frameWidth());
  }
  EXPECT_EQ(OuterWidth(), 2267);  // 34,000 twips
}

TEST_F(WindowLayoutTest, BelowEightHundredTwipsOnlyTheWidthChanges) {
  const QRect img = Img()->geometry(), lbl = Lbl()->geometry(), lst = Lst()->geometry();
  const int font = PointSize(Lbl());
  const int laid_out = Counts().laid_out;
  ResizeOuter(300, 53);  // 795 twips: 132.5 sixths, 132, and 1,056 twips wide
  EXPECT_EQ(OuterHeight(), 53);
  EXPECT_EQ(OuterWidth(), 70);  // 70.4
  EXPECT_EQ(Counts().laid_out, laid_out);
  EXPECT_EQ(Img()->geometry(), img);
  EXPECT_EQ(Lbl()->geometry(), lbl);
  EXPECT_EQ(Lst()->geometry(), lst);
  EXPECT_EQ(PointSize(Lbl()), font);

  ResizeOuter(300, 54);         // 810 twips: laid out, in 3 points
  EXPECT_EQ(OuterWidth(), 72);  // 135 sixths: 1,080 twips
  EXPECT_GT(Counts().laid_out, laid_out);
  EXPECT_EQ(PointSize(Lbl()), 3);
  EXPECT_EQ(PointSize(LoveLbl()), 1);
}

TEST_F(WindowLayoutTest, AQuickDragThroughManyHeightsEndsIn4To3) {
  for (int height = 300; height < 700; height += 10) {
    window_->resize(height * 2, height - FrameHeight());
  }
  EXPECT_TRUE(QTest::qWaitFor([&] { return OuterWidth() == ShapeWidth(OuterHeight()); }, 2000));
  EXPECT_EQ(OuterHeight(), 690);
  ExpectOnTheGrid();
  ExpectFontsFor(690);
}

TEST_F(WindowLayoutTest, AWidthAloneSnapsBackToTheHeight) {
  const int height = OuterHeight();
  ResizeOuter(OuterWidth() + 150, height);
  EXPECT_EQ(OuterHeight(), height);
  EXPECT_EQ(OuterWidth(), ShapeWidth(height));
  // Dragged once more at the same height: the window is left as it is while the side
  // may still be moving, and snaps back once it is left alone.
  ResizeOuter(OuterWidth() - 100, height);
  EXPECT_TRUE(QTest::qWaitFor([&] { return OuterWidth() == ShapeWidth(height); }, 2000));
  ExpectOnTheGrid();
}

// A resize out of shape runs two passes: the player's and, inside it, the one for the
// width that it asks for. The pass inside gives what a pass on its own gives at that
// size; the same size again starts no pass, and a pass at a size in shape asks for
// nothing and starts no other pass.
TEST_F(WindowLayoutTest, AWidthRequestRunsOnePassInsideThePass) {
  const WindowLayout::Counts before = Counts();
  ResizeOuter(1000, 611);
  EXPECT_EQ(Counts().passes, before.passes + 2);
  EXPECT_EQ(Counts().width_requests, before.width_requests + 1);
  EXPECT_EQ(Counts().deepest, 2);
  const WindowLayout::Counts after = Counts();
  window_->resize(window_->size());
  ResizeOuter(OuterWidth(), 611);
  EXPECT_EQ(Counts().passes, after.passes);
  const QRect img = Img()->geometry(), lbl = Lbl()->geometry(), lst = Lst()->geometry();
  const QRect button = AddCom()->geometry(), meter = LoveLbl()->geometry();
  const int fonts[] = {PointSize(Lbl()), PointSize(Lst()), PointSize(LoveLbl())};
  for (int i = 1; i <= 3; ++i) {
    QResizeEvent again(window_->size(), window_->size());
    QApplication::sendEvent(window_.get(), &again);
    EXPECT_EQ(Counts().passes, after.passes + i);
    EXPECT_EQ(Counts().width_requests, after.width_requests);
    EXPECT_EQ(Img()->geometry(), img);
    EXPECT_EQ(Lbl()->geometry(), lbl);
    EXPECT_EQ(Lst()->geometry(), lst);
    EXPECT_EQ(AddCom()->geometry(), button);
    EXPECT_EQ(LoveLbl()->geometry(), meter);
    EXPECT_EQ(PointSize(Lbl()), fonts[0]);
    EXPECT_EQ(PointSize(Lst()), fonts[1]);
    EXPECT_EQ(PointSize(LoveLbl()), fonts[2]);
  }
}

// Maximized, the window lays out over its whole client area, whose width is the screen's.
TEST_F(WindowLayoutTest, MaximizedOrMinimizedTheWindowAsksForNoWidth) {
  const QSize normal = window_->size();
  const int requests = Counts().width_requests;
  window_->showMaximized();
  QTest::qWait(50);
  ASSERT_TRUE(window_->isMaximized());
  EXPECT_NE(window_->size(), normal);
  EXPECT_EQ(Counts().width_requests, requests);  // the width is the screen's
  const QSize client = window_->size();
  EXPECT_NEAR(Img()->width(), client.width() * 0.75, 1);
  EXPECT_NEAR(Img()->height(), client.height() * 0.75, 1.5);
  ExpectOnTheGrid();
  ExpectPictureFillsItsArea();

  window_->showNormal();
  QTest::qWait(50);
  EXPECT_FALSE(window_->isMaximized());
  EXPECT_EQ(OuterWidth(), ShapeWidth(OuterHeight()));
  ExpectOnTheGrid();

  // Minimized, it asks for no width either.
  const int restored = Counts().width_requests;
  window_->showMinimized();
  QTest::qWait(50);
  EXPECT_EQ(Counts().width_requests, restored);
  window_->showNormal();
  QTest::qWait(50);
  EXPECT_EQ(OuterWidth(), ShapeWidth(OuterHeight()));
}

// A window manager with a mind of its own: every width that the layout asks for it
// answers, soon after, with another size.
class WilfulManager : public QObject {
 public:
  WilfulManager(GameWindow& window, int more_width, int more_height, int delay_ms)
      : window_(window),
        more_width_(more_width),
        more_height_(more_height),
        delay_(delay_ms),
        seen_(window.layout().counts().width_requests) {
    window.installEventFilter(this);
  }

  int answers = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const int requests = window_.layout().counts().width_requests;
    if (event->type() == QEvent::Resize && requests != seen_) {
      seen_ = requests;  // the resize that a request of the layout made
      QTimer::singleShot(delay_, this, [this] {
        ++answers;
        window_.resize(window_.width() + more_width_, window_.height() + more_height_);
      });
    }
    return false;
  }

 private:
  GameWindow& window_;
  int more_width_, more_height_, delay_;
  int seen_;
};

TEST_F(WindowLayoutTest, AWindowManagerThatAnswersWithItsOwnSizesStartsNoLoop) {
  struct Way {
    const char* name;
    int more_width, more_height, delay_ms;
  };
  for (const Way& way :
       {Way{"another width at once", 7, 0, 0}, Way{"another width a little later", -9, 0, 30},
        Way{"another width and height at once", 5, 1, 0},
        Way{"another height a little later", 0, -2, 20}}) {
    SCOPED_TRACE(way.name);
    ResizeOuter(640, 480);
    QTest::qWait(300);
    const WindowLayout::Counts before = Counts();
    WilfulManager manager(*window_, way.more_width, way.more_height, way.delay_ms);
    ResizeOuter(1000, 500);
    QTest::qWait(700);
    const int requests = Counts().width_requests - before.width_requests;
    EXPECT_GE(requests, 1);
    EXPECT_EQ(manager.answers, requests);
    EXPECT_LE(requests, layout::WidthRequests::kMostAnswered + 2);
    EXPECT_LE(Counts().deepest, 2);
    // Quiet now: no pass comes any more, and the window lies laid out as it is.
    const int passes = Counts().passes;
    QTest::qWait(400);
    EXPECT_EQ(Counts().passes, passes);
    ExpectOnTheGrid();
    window_->removeEventFilter(&manager);
  }
}

}  // namespace
}  // namespace velune::testing
