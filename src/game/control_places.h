#pragma once

#include <QRect>
#include <QSize>

namespace velune {

// Where the window puts its controls before any layout pass: the places they were drawn
// at, in twips. At 96 dots per inch 15 twips make a pixel.
inline constexpr int kTwipsPerPixel = 15;

struct TwipRect {
  int left, top, width, height;
};

inline constexpr int kClientWidthTwips = 10485;
inline constexpr int kClientHeightTwips = 6975;

inline constexpr TwipRect kImgPlace{240, 120, 4575, 3615};
inline constexpr TwipRect kLblPlace{120, 4200, 6375, 2535};
inline constexpr TwipRect kLoveLblPlace{6840, 5160, 3495, 1575};
inline constexpr TwipRect kLstPlace{6840, 240, 3495, 3660};
inline constexpr TwipRect kAddComPlace{6840, 4200, 3495, 855};

constexpr int TwipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

constexpr QRect ToPixels(const TwipRect& r) {
  return QRect(TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width),
               TwipsToPixels(r.height));
}

constexpr QSize InitialClientSize() {
  return QSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
}

}  // namespace velune
