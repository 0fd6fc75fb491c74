#include <QImage>

#include "media/picture_loader.h"
#include "tool/headless_pictures.h"

namespace velune {

struct HeadlessPictures::Holder {
  QImage current;
};

HeadlessPictures::HeadlessPictures() : holder_(std::make_unique<Holder>()) {}
HeadlessPictures::~HeadlessPictures() = default;

bool HeadlessPictures::Load(const std::string& path) {
  auto picture = LoadPicture(path);
  if (!picture) return false;
  holder_->current = std::move(*picture);
  return true;
}

}  // namespace velune
