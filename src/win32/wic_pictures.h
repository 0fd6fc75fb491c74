#pragma once

#include "win32/windows_api.h"

#include <string>

#include "story/picture_port.h"

struct IWICImagingFactory;

namespace velune {

// The hidden picture holder DF and the drawing on Img: pictures decoded by the Windows
// Imaging Component (BMP, JPEG, GIF, PNG, told from their content), and each stretch
// drawn over the whole inner area of `area` with halftone filtering. The area shows its
// last drawing until the next one. Without an area, pictures only load, as the tools
// need them. Needs COM initialised on the thread.
class WicPictures : public PicturePort {
 public:
  explicit WicPictures(HWND area);
  ~WicPictures() override;
  WicPictures(const WicPictures&) = delete;
  WicPictures& operator=(const WicPictures&) = delete;

  bool Load(const std::string& path) override;
  void StretchToArea() override;

  // Paints the last drawing at the top left of `dc` (the area's inner surface).
  void Paint(HDC dc) const;

 private:
  HWND area_;
  IWICImagingFactory* factory_ = nullptr;
  HBITMAP current_ = nullptr;  // DF: the picture at its own size
  SIZE current_size_{};
  HBITMAP drawing_ = nullptr;  // the last stretch, at the area's size then
  SIZE drawing_size_{};
};

}  // namespace velune
