#pragma once

#include <QRect>
#include <QSize>

#include "game/layout_rules.h"

namespace velune {

// Where the window puts its controls before any layout pass: the places they were drawn
// at, in twips.
struct TwipRect {
  int left, top, width, height;
};

inline constexpr TwipRect kImgPlace{240, 120, 4575, 3615};
inline constexpr TwipRect kLblPlace{120, 4200, 6375, 2535};
inline constexpr TwipRect kLoveLblPlace{6840, 5160, 3495, 1575};
inline constexpr TwipRect kLstPlace{6840, 240, 3495, 3660};
inline constexpr TwipRect kAddComPlace{6840, 4200, 3495, 855};

constexpr QRect ToPixels(const TwipRect& r) {
  using layout::TwipsToPixels;
  return QRect(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
               TwipsToPixels(r.height));
}

constexpr QSize InitialClientSize() {
  using layout::TwipsToPixels;
  return QSize(TwipsToPixels(layout::kClientWidthTwips), TwipsToPixels(layout::kClientHeightTwips));
}

}  // namespace velune
