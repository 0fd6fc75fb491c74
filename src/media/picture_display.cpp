#include "media/picture_display.h"

#include "media/picture_loader.h"

namespace velune {

bool PictureDisplay::Load(const std::string& path) {
  auto picture = LoadPicture(path);
  if (!picture) return false;  // the current picture stays
  current_ = std::move(*picture);
  return true;
}

void PictureDisplay::StretchToArea() {
  if (current_.isNull()) return;  // nothing loaded yet: nothing to draw
  const QSize size = area_.InnerSize();
  if (size.isEmpty()) return;
  if (drawing_.size() != size || drawn_from_ != current_.cacheKey()) {
    drawing_ = current_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    drawn_from_ = current_.cacheKey();
    ++scalings_;
  }
  area_.ShowDrawing(drawing_);
}

}  // namespace velune
