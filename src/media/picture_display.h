#pragma once

#include <QImage>
#include <QSize>
#include <string>

#include "story/picture_port.h"

namespace velune {

// The picture area Img as the drawing sees it: an inner surface of some size in pixels
// that shows what is drawn on it until the next drawing.
class PictureSurface {
 public:
  virtual ~PictureSurface() = default;
  // The inner area, inside the border, in device pixels.
  virtual QSize InnerSize() const = 0;
  // Shows `drawing`, which covers the whole inner area, from now on.
  virtual void ShowDrawing(const QImage& drawing) = 0;
};

// The scene picture: the hidden holder DF keeps the current picture decoded at its own
// size, and every stretch draws the whole of it over the whole inner area of Img,
// scaled separately in each direction with smooth filtering. A drawing is made once
// per picture and size; a redraw at the same size reuses it and reads no file.
class PictureDisplay : public PicturePort {
 public:
  explicit PictureDisplay(PictureSurface& area) : area_(area) {}

  bool Load(const std::string& path) override;
  void StretchToArea() override;

  // The current picture at its own size; null before the first successful load.
  const QImage& Current() const { return current_; }
  // How many drawings have been scaled so far.
  int Scalings() const { return scalings_; }

 private:
  PictureSurface& area_;
  QImage current_;         // DF
  QImage drawing_;         // the last drawing made for the area
  qint64 drawn_from_ = 0;  // the cache key of the picture it was made from
  int scalings_ = 0;
};

}  // namespace velune
