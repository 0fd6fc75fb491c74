#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <thread>
#include <vector>

#include "media/picture_loader.h"
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
//
// A picture at least twice the area's size in both directions is drawn from a copy of
// it halved (each pixel the mean of four), halved again as long as that holds: smooth
// scaling averages the same pixels either way, but reads a quarter of them or fewer, at
// every size of a drag.
// The halved copies are made when first needed and kept with the picture.
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
  // The picture to scale down to `size`: the current one or a halved copy of it.
  const QImage& SourceFor(QSize size);

  PictureSurface& area_;
  std::jthread formats_ahead_{LoadPictureFormats};  // joined when the display goes
  QImage current_;                                  // DF
  std::vector<QImage> halves_;                      // the current picture halved once, twice, ...
  QImage drawing_;                                  // the last drawing made for the area
  qint64 drawn_from_ = 0;                           // the cache key of the picture it was made from
  int scalings_ = 0;
};

}  // namespace velune
