#include "game/layout_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace velune::layout {
namespace {

struct ShapeCase {
  std::int32_t height;
  std::int32_t sixths;
  std::int32_t width;
  std::int32_t font;
};

// Outer heights in twips, from the smallest to the tallest windows.
const ShapeCase kShapes[] = {
    {0, 0, 0, 3},
    {3, 0, 0, 3},    // 0.5 goes to 0, the even one
    {9, 2, 16, 3},   // 1.5 goes to 2
    {15, 2, 16, 3},  // 2.5 goes to 2
    {799, 133, 8 * 133, 3},
    {800, 133, 8 * 133, 3},
    {807, 134, 8 * 134, 3},  // 134.5
    {813, 136, 8 * 136, 3},  // 135.5
    {999, 166, 8 * 166, 3},  // 166.5
    {1000, 167, 8 * 167, 4},
    {1999, 333, 8 * 333, 4},
    {2000, 333, 8 * 333, 5},
    {7035, 1172, 8 * 1172, 10},  // the window as it first opens, 1172.5
    {24570, 4095, 8 * 4095, 27},
    {24573, 4096, 8 * 4096, 27},  // 4095.5: beyond 16 bits, still a width in 32
    {24600, 4100, 8 * 4100, 27},
    {25500, 4250, 34000, 28},                      // a window of 1,700 pixels on a tall screen
    {64815, 10802, 8 * 10802, 67},                 // 4,321 pixels, 10802.5
    {1610612732, 268435455, 2147483640, 1610615},  // the widest width in 32 bits
};

TEST(LayoutRules, TheWidthFollowsTheHeightInStepsOfEightAndTheFontAPointPerThousandTwips) {
  for (const ShapeCase& c : kShapes) {
    SCOPED_TRACE("H = " + std::to_string(c.height));
    EXPECT_EQ(HeightSixths(c.height), c.sixths);
    ASSERT_TRUE(OuterWidthTwips(c.height).has_value());
    EXPECT_EQ(*OuterWidthTwips(c.height), c.width);
    EXPECT_EQ(BaseFontSize(c.height), c.font);
  }
  // A width beyond 32 bits is no width.
  EXPECT_FALSE(OuterWidthTwips(1610612733).has_value());  // 268435455.5 rounds up to even
  EXPECT_FALSE(OuterWidthTwips(std::numeric_limits<std::int32_t>::max()).has_value());
}

TEST(LayoutRules, EveryHeightRoundsItsSixthToTheNearestAndHalvesToEven) {
  for (std::int32_t h = 0; h < 30000; ++h) {
    const double exact = h / 6.0;
    const std::int32_t k = HeightSixths(h);
    ASSERT_LE(std::abs(k - exact), 0.5) << h;
    if (std::abs(k - exact) == 0.5) {
      ASSERT_EQ(k % 2, 0) << h;
    }
  }
}

TEST(LayoutRules, TwipsBecomeWholePixels) {
  EXPECT_EQ(TwipsToPixels(1064), 71);  // 70.93
  EXPECT_EQ(TwipsToPixels(1072), 71);  // 71.47
  EXPECT_EQ(TwipsToPixels(9376), 625);
  EXPECT_EQ(TwipsToPixels(34000), 2267);  // 2266.67
  EXPECT_EQ(TwipsToPixels(15 * 40 + 7), 40);
  EXPECT_EQ(TwipsToPixels(15 * 40 + 8), 41);
}

TEST(LayoutRules, TheGridAxisRoundsEdgesToPixelsAndReadsThemBack) {
  const GridAxis across{621, 40};
  EXPECT_EQ(across.StartPixel(0.5), 8);          // 7.76
  EXPECT_EQ(across.LengthPixels(0.5, 30), 466);  // 8 to 474 (473.5)
  EXPECT_EQ(across.StartPixel(31), 481);         // 481.3
  EXPECT_DOUBLE_EQ(across.ToUnits(466), 466 / 15.525);
  EXPECT_EQ(across.StartPixel(across.ToUnits(481)), 481);  // what was read back stays put
}

TEST(LayoutRules, AListShowsTheMostWholeRowsThatFitAndOneAtLeast) {
  EXPECT_EQ(WholeRowsHeight(300, 17, 1), 17 * 17 + 2);
  EXPECT_EQ(WholeRowsHeight(291, 17, 1), 291);
  EXPECT_EQ(WholeRowsHeight(290, 17, 1), 16 * 17 + 2);
  EXPECT_EQ(WholeRowsHeight(10, 17, 1), 19);
  EXPECT_EQ(WholeRowsHeight(10, 0, 1), 10);
}

// Controls that take exactly what they are given, or, for the list, whole rows of
// `list_row` units (then also when its font changes, as a list box does). Every call
// is noted.
class ExactControls : public GridControls {
 public:
  double GridWidth() const override { return 40; }
  double GridHeight() const override { return 30; }
  GridRect Place(Control c) const override { return places.at(c); }
  void Move(Control c, double left, double top, std::optional<double> width,
            std::optional<double> height) override {
    GridRect& r = places[c];
    r.left = left;
    r.top = top;
    if (width) r.width = *width;
    if (height) Height(c, *height);
    log.push_back(Name(c) + " move");
  }
  void SetWidth(Control c, double width) override {
    places[c].width = width;
    log.push_back(Name(c) + " width");
  }
  void SetHeight(Control c, double height) override {
    Height(c, height);
    log.push_back(Name(c) + " height");
  }
  void SetFontSize(Control c, int points) override {
    fonts[c] = points;
    if (c == Control::kLst && list_row_after_font > 0) {
      list_row = list_row_after_font;
      Height(c, asked_list_height);
    }
    log.push_back(Name(c) + " font " + std::to_string(points));
  }

  std::map<Control, GridRect> places{{Control::kImg, {1, 1, 5, 5}},
                                     {Control::kLbl, {1, 7, 5, 5}},
                                     {Control::kLst, {9, 1, 5, 5}},
                                     {Control::kAddCom, {9, 7, 5, 2}},
                                     {Control::kLoveLbl, {9, 10, 5, 2}}};
  std::map<Control, int> fonts;
  std::vector<std::string> log;
  double list_row = 0;
  double list_row_after_font = 0;

 private:
  void Height(Control c, double height) {
    if (c == Control::kLst) {
      asked_list_height = height;
      if (list_row > 0) height = std::floor(height / list_row) * list_row;
    }
    places[c].height = height;
  }
  static std::string Name(Control c) {
    static const char* const kNames[] = {"Img", "Lbl", "Lst", "AddCom", "LoveLbl"};
    return kNames[static_cast<int>(c)];
  }
  double asked_list_height = 0;
};

TEST(LayoutRules, ControlsThatTakeWhatTheyAreGivenLieAsTheNominalTableStepByStep) {
  ExactControls c;
  LayOutControls(c, 10);
  EXPECT_EQ(c.Place(Control::kImg), (GridRect{0.5, 0.5, 30, 22.5}));
  EXPECT_EQ(c.Place(Control::kLbl), (GridRect{0.5, 23.5, 30, 6}));
  EXPECT_EQ(c.Place(Control::kLst), (GridRect{31, 0.5, 8.5, 20}));
  EXPECT_EQ(c.Place(Control::kAddCom), (GridRect{31, 21, 8.5, 4.25}));
  EXPECT_EQ(c.Place(Control::kLoveLbl), (GridRect{31, 25.75, 8.5, 3.75}));
  EXPECT_EQ(c.fonts, (std::map<Control, int>{
                         {Control::kLbl, 10}, {Control::kLst, 10}, {Control::kLoveLbl, 8}}));
  EXPECT_EQ(c.log, (std::vector<std::string>{"Img move", "Img height",   // the picture area
                                             "Lbl font 10", "Lbl move",  // the story text
                                             "Lst move", "Lst width", "Lst height",
                                             "Lst font 10",                   // the list
                                             "AddCom move", "AddCom height",  // the give button
                                             "LoveLbl font 8", "LoveLbl move"}));  // the love meter
}

TEST(LayoutRules, AListOfWholeRowsLeavesTheButtonAndTheMeterTheRestDownTo29AndAHalf) {
  for (const double row : {0.7, 1.5, 3.0, 6.5}) {
    SCOPED_TRACE("row " + std::to_string(row));
    ExactControls c;
    c.list_row = row;
    LayOutControls(c, 10);
    const GridRect list = c.Place(Control::kLst);
    const GridRect button = c.Place(Control::kAddCom);
    const GridRect meter = c.Place(Control::kLoveLbl);
    const double h = std::floor(20 / row) * row;
    EXPECT_DOUBLE_EQ(list.height, h);
    EXPECT_DOUBLE_EQ(button.top, 1 + h);
    EXPECT_DOUBLE_EQ(button.height, (28.5 - h) / 2);
    EXPECT_DOUBLE_EQ(meter.height, button.height - 0.5);
    EXPECT_DOUBLE_EQ(meter.Bottom(), 29.5);
  }
}

TEST(LayoutRules, TheButtonGoesUnderTheListAsItsNewFontLeftIt) {
  ExactControls c;
  c.list_row = 0.5;           // 20 units fit 40 rows of the old font
  c.list_row_after_font = 3;  // and 6 rows of the new one: 18 units
  LayOutControls(c, 10);
  EXPECT_DOUBLE_EQ(c.Place(Control::kLst).height, 18);
  EXPECT_DOUBLE_EQ(c.Place(Control::kAddCom).top, 19);
  EXPECT_DOUBLE_EQ(c.Place(Control::kLoveLbl).Bottom(), 29.5);
}

// Controls on a screen of whole pixels: a client area of `width` × `height` pixels, each
// control's edges rounded to pixels as the window does.
class PixelControls : public GridControls {
 public:
  PixelControls(int width, int height) : across_{double(width), 40}, down_{double(height), 30} {}
  double GridWidth() const override { return 40; }
  double GridHeight() const override { return 30; }
  GridRect Place(Control c) const override {
    const Pixels& p = pixels_[int(c)];
    return {across_.ToUnits(p.x), down_.ToUnits(p.y), across_.ToUnits(p.w), down_.ToUnits(p.h)};
  }
  void Move(Control c, double left, double top, std::optional<double> width,
            std::optional<double> height) override {
    Pixels& p = pixels_[int(c)];
    if (width) p.w = across_.LengthPixels(left, *width);
    if (height) p.h = down_.LengthPixels(top, *height);
    p.x = across_.StartPixel(left);
    p.y = down_.StartPixel(top);
  }
  void SetWidth(Control c, double width) override {
    pixels_[int(c)].w = across_.LengthPixels(Place(c).left, width);
  }
  void SetHeight(Control c, double height) override {
    pixels_[int(c)].h = down_.LengthPixels(Place(c).top, height);
  }
  void SetFontSize(Control, int) override {}

  struct Pixels {
    int x = 0, y = 0, w = 10, h = 10;
  };
  const Pixels& At(Control c) const { return pixels_[int(c)]; }

 private:
  GridAxis across_;
  GridAxis down_;
  Pixels pixels_[5];
};

TEST(LayoutRules, OnWholePixelsTheControlsKeepTheirGapsAtEverySize) {
  for (int height = 20; height <= 2200; height += 7) {
    for (const double shape : {1.0, 4.0 / 3.0, 1.45, 2.5}) {
      const int width = static_cast<int>(height * shape);
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
      PixelControls c(width, height);
      LayOutControls(c, 10);
      const auto& img = c.At(Control::kImg);
      const auto& lbl = c.At(Control::kLbl);
      const auto& lst = c.At(Control::kLst);
      const auto& button = c.At(Control::kAddCom);
      const auto& meter = c.At(Control::kLoveLbl);
      const double px = width / 40.0, py = height / 30.0;
      // Every edge lies within a pixel of where the grid puts it.
      ASSERT_NEAR(img.x, 0.5 * px, 1);
      ASSERT_NEAR(img.x + img.w, 30.5 * px, 1);
      ASSERT_NEAR(img.y + img.h, 23 * py, 1.5);
      ASSERT_NEAR(lbl.y + lbl.h, 29.5 * py, 1.5);
      ASSERT_NEAR(lst.x + lst.w, 39.5 * px, 1);
      ASSERT_NEAR(meter.y + meter.h, 29.5 * py, 1.5);
      // Nothing overlaps, and nothing reaches out of the client area.
      ASSERT_LE(img.y + img.h, lbl.y);
      ASSERT_LE(img.x + img.w, lst.x);
      ASSERT_LE(lst.y + lst.h, button.y);
      ASSERT_LE(button.y + button.h, meter.y);
      ASSERT_LE(meter.y + meter.h, height);
      ASSERT_LE(lbl.y + lbl.h, height);
      ASSERT_LE(lst.x + lst.w, width);
      ASSERT_EQ(button.x, lst.x);
      ASSERT_EQ(meter.w, button.w);
    }
  }
}

}  // namespace
}  // namespace velune::layout
