#pragma once

// The arithmetic of the window's layout, free of any toolkit: the 4:3 outer width that
// follows the outer height, the base font size, and the places of the five visible
// controls in the window's 40 × 30 grid, each worked out from what the controls placed
// before it really took.

#include <cstdint>
#include <optional>

namespace velune::layout {

// Twips are 1/1440 inch: 15 to a logical pixel.
inline constexpr int kTwipsPerPixel = 15;

// The client area that the window opens with, in twips.
inline constexpr int kClientWidthTwips = 10485;
inline constexpr int kClientHeightTwips = 6975;

// The client grid that every pass sets.
inline constexpr double kGridWidth = 40;
inline constexpr double kGridHeight = 30;

// Below this outer height (in twips) a pass only fixes the width and lays out nothing.
inline constexpr int kLeastLaidOutHeight = 800;

// The outer height in twips divided by 6, rounded to the nearest integer, a half going
// to the even neighbour: 807 gives 134 (134.5), 813 gives 136 (135.5).
std::int32_t HeightSixths(std::int32_t height_twips);

// The 4:3 outer width for an outer height, both in twips: 8 times HeightSixths, in steps
// of 8 twips. Worked out in 32-bit arithmetic; nothing where the product does not fit,
// and the window keeps the width it has.
std::optional<std::int32_t> OuterWidthTwips(std::int32_t height_twips);

// The base font size in points: (H / 100) / 10 rounded down, plus 3. 800 gives 3,
// 999 gives 3, 1000 gives 4.
std::int32_t BaseFontSize(std::int32_t height_twips);

// A length in twips (never negative) as whole logical pixels, halves rounded up.
constexpr std::int32_t TwipsToPixels(std::int32_t twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// Where a control lies in the grid, in grid units.
struct GridRect {
  double left = 0, top = 0, width = 0, height = 0;
  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
  friend bool operator==(const GridRect&, const GridRect&) = default;
};

// One axis of the grid on the screen: `pixels` across `units`.
struct GridAxis {
  double pixels = 0;
  double units = 0;

  double PixelsPerUnit() const { return pixels / units; }
  // The pixel a grid position falls on: the nearest one, halves rounded up.
  int ToPixel(double position) const;
  // A span of the grid as whole pixels: its start and end rounded each to their pixel,
  // so that neighbours keep their gaps and nothing overlaps.
  int StartPixel(double start) const { return ToPixel(start); }
  int LengthPixels(double start, double length) const {
    return ToPixel(start + length) - ToPixel(start);
  }
  // A pixel position or length in grid units, as read back from a control.
  double ToUnits(int pixels_across) const { return pixels_across / PixelsPerUnit(); }
};

// The visible controls that the layout places.
enum class Control { kImg, kLbl, kLst, kAddCom, kLoveLbl };

// The controls as the layout sees them: placed in grid units, read back as they really
// are (whole pixels, a list shortened to whole rows), with font sizes in points.
class GridControls {
 public:
  virtual ~GridControls() = default;
  virtual double GridWidth() const = 0;
  virtual double GridHeight() const = 0;
  // Where the control really is now.
  virtual GridRect Place(Control control) const = 0;
  // Moves a control; a width or height left out stays as it is.
  virtual void Move(Control control, double left, double top, std::optional<double> width = {},
                    std::optional<double> height = {}) = 0;
  virtual void SetWidth(Control control, double width) = 0;
  virtual void SetHeight(Control control, double height) = 0;
  virtual void SetFontSize(Control control, int points) = 0;
};

// The gap between neighbouring controls and along the edges of the client area.
inline constexpr double kGap = 0.5;
// The height that the gift list is asked for; it may take less.
inline constexpr double kListHeight = 20;

// Places the picture area, the story text, the gift list, the give button and the love
// meter, in this order, each from the places read back from the ones before it, and
// sets the font sizes of the text controls from the base size `font_size`.
void LayOutControls(GridControls& controls, int font_size);

// The height that a list box takes when it is asked for `wanted` pixels and shows only
// whole rows of `row` pixels inside a frame of `frame` pixels above and below: the most
// whole rows that fit, one row at least.
int WholeRowsHeight(int wanted, int row, int frame);

}  // namespace velune::layout
