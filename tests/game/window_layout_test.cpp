// The layout's rules as the window applies them, offscreen (the frame 2 pixels all round).
#include "game/window_layout.h"

#include "game/gift_list.h"
#include "game/layout_rules.h"
#include "game/width_requests.h"
#include "window_fixture.h"

namespace velune::testing {
namespace {

// Opened 469 pixels high outside, or resized, it asks for its 4:3 width (a pass inside the
// pass), each control placed from where the ones before it came out, and the fonts, the
// list's whole rows and the picture follow; below 800 twips it lays nothing out.
TEST_F(WindowTest, AtEveryHeightTheWidthFollowsAndTheControlsSitOnTheGrid) {
  ASSERT_TRUE(Start());
  Wait(100);  // the picture
  const auto places = [&] {
    return QList<QRect>{Img(w())->geometry(), Lbl(w())->geometry(), Lst(w())->geometry(),
                        AddCom(w())->geometry(), LoveLbl(w())->geometry()};
  };
  const QList<QRect> p = places();
  EXPECT_EQ(window_->frameGeometry(), QRect(0, 0, 625, 469));
  EXPECT_EQ(p.mid(0, 2), QList<QRect>({{8, 8, 466, 349}, {8, 365, 466, 92}}));
  EXPECT_EQ(QList<int>({p[2].x(), p[2].y(), p[2].width(), p[3].width(), p[4].width(),
                        p[3].top() - p[2].bottom(), p[4].top() - p[3].bottom(), p[4].bottom()}),
            QList<int>({482, 8, 131, 131, 131, 9, 9, 457}));
  const int shapes[][3] = {{53, 70, 0},   {54, 72, 3},    {66, 88, 3},      {67, 90, 4},
                           {300, 400, 7}, {555, 740, 11}, {1100, 1467, 19}, {1700, 2267, 28}};
  for (const auto& [height, width, font] : shapes) {
    SCOPED_TRACE(height);
    const QList<QRect> before_places = places();
    const WindowLayout::Counts before = window_->layout().counts();
    QTest::qWait(layout::WidthRequests::kAnswerMs + 10);  // not taken for an answer
    window_->resize(height * 2, height - 4);
    EXPECT_EQ(window_->frameGeometry().size(), QSize(width, height));
    const WindowLayout::Counts after = window_->layout().counts();
    EXPECT_EQ(QList<int>({after.passes, after.width_requests, after.deepest}),
              QList<int>({before.passes + 2, before.width_requests + 1, 2}));
    if (font == 0) {
      EXPECT_EQ(places(), before_places);
      continue;
    }
    const auto* list = window_->findChild<GiftList*>("Lst");
    EXPECT_EQ((list->height() - 2 * list->frameWidth()) % list->RowHeight(), 0);
    EXPECT_EQ(QList<int>({Lbl(w())->font().pointSize(), list->font().pointSize(),
                          LoveLbl(w())->font().pointSize()}),
              QList<int>({font, font, font - 2}));
    const QImage shot = Img(w())->grab().toImage();  // inside its border, the whole picture
    EXPECT_EQ(shot.pixelColor(1, shot.height() - 2), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, 1), QColor(Qt::green));
  }
  // Where no window reaches: no width beyond 32 bits; a list of one row at least.
  EXPECT_FALSE(layout::OuterWidthTwips(1610612733).has_value());
  EXPECT_EQ(layout::WholeRowsHeight(10, 17, 1), 19);
}

// A window manager answering every request at once with another height would resize the
// window for ever: such a run of answers ends, but the player's drag is followed throughout.
TEST(WidthRequests, ARunOfAnswersEndsButADragIsFollowed) {
  using layout::WidthRequests;
  for (const std::int64_t step_ms : {std::int64_t{1}, WidthRequests::kAnswerMs}) {
    WidthRequests requests;
    int asked = 0;
    for (int i = 0, height = 300; i < 100; ++i, ++height) {
      const int target = (height * 4 + 1) / 3;
      asked += requests.Consider(target + 9, height * 15, target, i * step_ms) ==
               WidthRequests::Verdict::kAsk;
    }
    EXPECT_EQ(asked, step_ms == 1 ? WidthRequests::kMostAnswered + 1 : 100) << step_ms;
  }
}

}  // namespace
}  // namespace velune::testing
