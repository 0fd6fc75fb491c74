#include "game/layout_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velune::layout {

std::int32_t HeightSixths(std::int32_t height_twips) {
  // Whole sixths and the remainder, the remainder kept between 0 and 5.
  std::int64_t whole = height_twips / 6;
  std::int64_t rest = height_twips % 6;
  if (rest < 0) {
    rest += 6;
    --whole;
  }
  if (rest > 3 || (rest == 3 && whole % 2 != 0)) ++whole;
  return static_cast<std::int32_t>(whole);
}

std::optional<std::int32_t> OuterWidthTwips(std::int32_t height_twips) {
  const std::int64_t width = std::int64_t{HeightSixths(height_twips)} * 8;
  if (width > std::numeric_limits<std::int32_t>::max() ||
      width < std::numeric_limits<std::int32_t>::min()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(width);
}

std::int32_t BaseFontSize(std::int32_t height_twips) {
  const double tenths = std::floor(height_twips / 100.0 / 10.0);
  return static_cast<std::int32_t>(tenths) + 3;
}

int GridAxis::ToPixel(double position) const {
  return static_cast<int>(std::floor(position * PixelsPerUnit() + 0.5));
}

void LayOutControls(GridControls& c, int font_size) {
  // The picture area: 3/4 of the grid across, then 4:3 in grid units.
  c.Move(Control::kImg, kGap, kGap, 30.0);
  c.SetHeight(Control::kImg, c.Place(Control::kImg).width / 8 * 6);

  // The story text: under the picture, as wide, down to half a unit above the bottom.
  c.SetFontSize(Control::kLbl, font_size);
  const GridRect img = c.Place(Control::kImg);
  const double grid_height = c.GridHeight();
  c.Move(Control::kLbl, img.left, img.Bottom() + kGap, img.width,
         grid_height - img.Bottom() - 2 * kGap);

  // The gift list: right of the picture, to half a unit from the right edge.
  c.Move(Control::kLst, img.Right() + kGap, kGap);
  c.SetWidth(Control::kLst, c.GridWidth() - c.Place(Control::kLst).left - kGap);
  c.SetHeight(Control::kLst, kListHeight);
  c.SetFontSize(Control::kLst, font_size);

  // The give button: under the list as it really came out, half of what is left below.
  const GridRect list = c.Place(Control::kLst);
  c.Move(Control::kAddCom, list.left, list.Bottom() + kGap, list.width);
  c.SetHeight(Control::kAddCom, (c.GridHeight() - c.Place(Control::kAddCom).top - kGap) / 2);

  // The love meter: under the button, half a unit lower than it, so it ends at 29.5.
  c.SetFontSize(Control::kLoveLbl, font_size - 2);
  const GridRect button = c.Place(Control::kAddCom);
  c.Move(Control::kLoveLbl, button.left, button.Bottom() + kGap, button.width,
         button.height - kGap);
}

int WholeRowsHeight(int wanted, int row, int frame) {
  if (row <= 0) return wanted;
  const int rows = std::max(1, (wanted - 2 * frame) / row);
  return rows * row + 2 * frame;
}

}  // namespace velune::layout
