#pragma once

#include <QApplication>
#include <memory>

namespace velune {

// A QApplication for the tools that measure on the game window's widgets, while the
// program has none: on the offscreen platform, unless QT_QPA_PLATFORM names another, so
// that no display is needed.
class OffscreenApplication {
 public:
  OffscreenApplication();
  OffscreenApplication(const OffscreenApplication&) = delete;
  OffscreenApplication& operator=(const OffscreenApplication&) = delete;

 private:
  int argc_ = 1;
  char name_[12] = "velune-tool";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

}  // namespace velune
