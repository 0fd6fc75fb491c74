#include "win32/win32_grid.h"

#include <algorithm>

namespace velune {

ControlFonts::~ControlFonts() { Clear(); }

void ControlFonts::Clear() {
  for (const auto& [points, font] : fonts_) DeleteObject(font);
  fonts_.clear();
}

void ControlFonts::SetDpi(UINT dpi) {
  if (dpi == dpi_) return;
  Clear();
  dpi_ = dpi;
  for (const auto& [control, points] : sizes_) Give(control, points);  // the same sizes
}

HFONT ControlFonts::OfSize(int points) {
  if (const auto known = fonts_.find(points); known != fonts_.end()) return known->second;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  LOGFONTW face = metrics.lfMessageFont;
  face.lfHeight = -MulDiv(std::max(points, 1), static_cast<int>(dpi_), 72);
  face.lfWidth = 0;
  return fonts_[points] = CreateFontIndirectW(&face);
}

int ControlFonts::SizeOf(HWND control) const {
  const auto known = sizes_.find(control);
  return known == sizes_.end() ? 0 : known->second;
}

void ControlFonts::Give(HWND control, int points) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(OfSize(points)), TRUE);
  sizes_[control] = points;
}

HwndGrid::HwndGrid(HWND window, const Controls& controls, ControlFonts& fonts)
    : window_(window), controls_(controls), fonts_(fonts) {
  RECT client;
  GetClientRect(window, &client);
  across_ = {double(client.right), layout::kGridWidth};
  down_ = {double(client.bottom), layout::kGridHeight};
}

RECT HwndGrid::PixelsOf(HWND control) const {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void HwndGrid::SetPixels(HWND control, RECT r) const {
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  const RECT now = PixelsOf(control);
  if (EqualRect(&now, &r)) return;
  MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

layout::GridRect HwndGrid::Place(layout::Control control) const {
  const RECT r = PixelsOf(Of(control));
  return {across_.ToUnits(r.left), down_.ToUnits(r.top), across_.ToUnits(r.right - r.left),
          down_.ToUnits(r.bottom - r.top)};
}

void HwndGrid::Move(layout::Control control, double left, double top, std::optional<double> width,
                    std::optional<double> height) {
  const RECT now = PixelsOf(Of(control));
  const int x = across_.StartPixel(left);
  const int y = down_.StartPixel(top);
  const int w = width ? across_.LengthPixels(left, *width) : now.right - now.left;
  const int h = height ? down_.LengthPixels(top, *height) : now.bottom - now.top;
  SetPixels(Of(control), RECT{x, y, x + w, y + h});
}

void HwndGrid::SetWidth(layout::Control control, double width) {
  RECT r = PixelsOf(Of(control));
  r.right = r.left + across_.LengthPixels(Place(control).left, width);
  SetPixels(Of(control), r);
}

void HwndGrid::SetHeight(layout::Control control, double height) {
  RECT r = PixelsOf(Of(control));
  r.bottom = r.top + down_.LengthPixels(Place(control).top, height);
  SetPixels(Of(control), r);
}

void HwndGrid::SetFontSize(layout::Control control, int points) {
  if (fonts_.SizeOf(Of(control)) != points) fonts_.Give(Of(control), points);
}

}  // namespace velune
