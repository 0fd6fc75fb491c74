#pragma once

#include "win32/windows_api.h"

#include <array>
#include <map>

#include "game/layout_rules.h"

namespace velune {

// The fonts of the controls: the system's message font at the sizes the layout asks for,
// at the window's dots per inch.
class ControlFonts {
 public:
  ControlFonts() = default;
  ControlFonts(const ControlFonts&) = delete;
  ControlFonts& operator=(const ControlFonts&) = delete;
  ~ControlFonts();

  // A new dots per inch: the controls given a size get it again at the new one.
  void SetDpi(UINT dpi);
  HFONT OfSize(int points);
  // The size a control was last given; 0 before.
  int SizeOf(HWND control) const;
  void Give(HWND control, int points);

 private:
  void Clear();

  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::map<int, HFONT> fonts_;
  std::map<HWND, int> sizes_;
};

// The window's five laid-out controls on the layout's grid over the client area: placed
// in grid units rounded to whole pixels, read back from the pixels they really take (a
// list box shortens itself to whole rows).
class HwndGrid : public layout::GridControls {
 public:
  using Controls = std::array<HWND, 5>;  // in the order of layout::Control

  HwndGrid(HWND window, const Controls& controls, ControlFonts& fonts);

  double GridWidth() const override { return across_.units; }
  double GridHeight() const override { return down_.units; }
  layout::GridRect Place(layout::Control control) const override;
  void Move(layout::Control control, double left, double top, std::optional<double> width,
            std::optional<double> height) override;
  void SetWidth(layout::Control control, double width) override;
  void SetHeight(layout::Control control, double height) override;
  void SetFontSize(layout::Control control, int points) override;

 private:
  HWND Of(layout::Control control) const { return controls_[static_cast<std::size_t>(control)]; }
  RECT PixelsOf(HWND control) const;
  void SetPixels(HWND control, RECT r) const;

  HWND window_;
  const Controls& controls_;
  ControlFonts& fonts_;
  layout::GridAxis across_;
  layout::GridAxis down_;
};

}  // namespace velune
