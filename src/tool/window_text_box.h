#pragma once

#include <QWidget>
#include <string_view>

#include "game/caption_label.h"
#include "tool/page_fit.h"

namespace velune {

// The game window's story text label (Lbl) as the window opens: laid out for the starting
// size in the frame the platform gives the window, with the font it gets there, on the
// fonts of this system. Needs a QApplication; the window is never shown.
class WindowTextBox : public TextBox {
 public:
  WindowTextBox();

  bool Fits(std::string_view caption) const override;
  const CaptionLabel& Label() const { return *lbl_; }

 private:
  QWidget window_;
  CaptionLabel* lbl_;
};

}  // namespace velune
