#pragma once

#include <memory>
#include <string>

#include "story/picture_port.h"

namespace velune {

// The picture holder without a screen: pictures load as in the window (through Qt's
// image readers, or the Windows Imaging Component on Windows), nothing is drawn.
class HeadlessPictures : public PicturePort {
 public:
  HeadlessPictures();
  ~HeadlessPictures() override;
  bool Load(const std::string& path) override;
  void StretchToArea() override {}

 private:
  struct Holder;  // the current picture, as the platform decodes it
  std::unique_ptr<Holder> holder_;
};

}  // namespace velune
