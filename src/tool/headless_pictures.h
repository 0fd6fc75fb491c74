#pragma once

#include <QImage>

#include "media/picture_loader.h"
#include "story/picture_port.h"

namespace velune {

// The picture holder without a screen: pictures load as in the window, nothing is drawn.
class HeadlessPictures : public PicturePort {
 public:
  bool Load(const std::string& path) override {
    auto picture = LoadPicture(path);
    if (!picture) return false;
    current_ = std::move(*picture);
    return true;
  }
  void StretchToArea() override {}

 private:
  QImage current_;
};

}  // namespace velune
