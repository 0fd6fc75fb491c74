#include "media/picture_display.h"

#include "media/picture_loader.h"

namespace velune {

bool PictureDisplay::Load(const std::string& path) {
  auto picture = LoadPicture(path);
  if (!picture) return false;  // the current picture stays
  current_ = std::move(*picture);
  halves_.clear();
  return true;
}

void PictureDisplay::StretchToArea() {
  if (current_.isNull()) return;  // nothing loaded yet: nothing to draw
  const QSize size = area_.InnerSize();
  if (size.isEmpty()) return;
  if (drawing_.size() != size || drawn_from_ != current_.cacheKey()) {
    drawing_ = SourceFor(size).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    drawn_from_ = current_.cacheKey();
    ++scalings_;
  }
  area_.ShowDrawing(drawing_);
}

const QImage& PictureDisplay::SourceFor(QSize size) {
  const QImage* source = &current_;
  for (std::size_t level = 0;
       source->width() >= 2 * size.width() && source->height() >= 2 * size.height(); ++level) {
    if (level == halves_.size()) {
      QImage half = source->scaled(source->width() / 2, source->height() / 2, Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
      halves_.push_back(std::move(half));
    }
    source = &halves_[level];
  }
  return *source;
}

}  // namespace velune
