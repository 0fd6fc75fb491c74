// The scene picture drawn over the picture area. The formats are told from the content
// in tests/media/picture_loader_test.cpp.
#include "media/picture_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "window_test.h"

namespace velune::testing {
namespace {

class FakeArea : public PictureSurface {
 public:
  QSize InnerSize() const override { return size; }
  void ShowDrawing(const QImage& drawing) override {
    shown = drawing;
    ++drawings;
  }
  QSize size{40, 30};
  QImage shown;
  int drawings = 0;
};

class PictureDisplayTest : public ::testing::Test {
 protected:
  PictureDisplayTest() { SavePicture(folder_, "pic", TwoHalves(4, 3)); }
  std::string PathOf(const std::string& name) const {
    return folder_.At("grf/" + name + ".dat").string();
  }

  StoryFolder folder_;
  FakeArea area_;
  PictureDisplay display_{area_};
};

// Nothing is drawn before a picture is loaded, nor on an empty area. The picture is
// stretched unevenly to another shape, with no margins; each picture and size is scaled
// once, and a redraw reads no file; a failed load keeps the current picture.
TEST_F(PictureDisplayTest, TheWholePictureCoversTheWholeAreaScaledOnce) {
  display_.StretchToArea();
  folder_.Bytes("grf/text.dat", "not a picture at all\r\n");
  ASSERT_TRUE(display_.Load(PathOf("pic")));
  EXPECT_FALSE(display_.Load(PathOf("missing")));
  EXPECT_FALSE(display_.Load(PathOf("text")));
  EXPECT_EQ(display_.Current().size(), QSize(4, 3));  // held at its own size
  area_.size = QSize(0, 0);
  display_.StretchToArea();
  EXPECT_EQ(area_.drawings, 0);
  area_.size = QSize(100, 20);
  display_.StretchToArea();
  display_.StretchToArea();
  ASSERT_EQ(area_.shown.size(), QSize(100, 20));
  for (const QPoint at :
       {QPoint(0, 0), QPoint(0, 19), QPoint(30, 10), QPoint(70, 10), QPoint(99, 19)}) {
    EXPECT_EQ(area_.shown.pixelColor(at), at.x() < 50 ? QColor(0, 0, 255) : QColor(0, 255, 0));
  }
  EXPECT_EQ(display_.Scalings(), 1);
  area_.size = QSize(80, 60);
  folder_.Remove("grf/pic.dat");
  display_.StretchToArea();
  EXPECT_EQ(display_.Scalings(), 2);
  EXPECT_EQ(area_.shown.size(), QSize(80, 60));
  EXPECT_EQ(area_.drawings, 3);
}

// Drawn from a halved copy, and that from one halved again: the drawing is the picture
// averaged down all the same, pixel for pixel within a shade or two.
TEST_F(PictureDisplayTest, AFarLargerPictureLooksAsIfScaledAtOnce) {
  QImage picture(400, 300, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgb(x * 255 / 399, y * 255 / 299, (x / 25 + y / 25) % 2 * 255));
    }
  }
  SavePicture(folder_, "big", picture, "PNG");
  ASSERT_TRUE(display_.Load(PathOf("big")));
  area_.size = QSize(90, 70);
  display_.StretchToArea();
  ASSERT_EQ(area_.shown.size(), QSize(90, 70));
  const QImage direct =
      display_.Current().scaled(QSize(90, 70), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  int worst = 0;
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 90; ++x) {
      const QColor a = area_.shown.pixelColor(x, y), b = direct.pixelColor(x, y);
      worst = std::max({worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green())});
    }
  }
  EXPECT_LE(worst, 3);
  // The squares' colour flips at every 25 pixels, 5.6 pixels of the drawing: still there.
  EXPECT_LT(area_.shown.pixelColor(2, 2).blue(), 55);
  EXPECT_GT(area_.shown.pixelColor(8, 2).blue(), 200);
  EXPECT_EQ(display_.Scalings(), 1);
}

}  // namespace
}  // namespace velune::testing
