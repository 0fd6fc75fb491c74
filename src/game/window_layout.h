#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

#include "game/width_requests.h"

class QWidget;

namespace velune {

class GiftList;

// The window's layout pass, run on every resize of the game window: it gives the window
// its 4:3 outer shape (the width follows the height, in steps of 8 twips), lays the five
// visible controls out in a grid of 40 × 30 units over the client area, sets the font
// sizes from the window's height and has the scene picture drawn again at the picture
// area's new size.
//
// The width step is the only one that may fail: a maximized, minimized or full-screen
// window, a window manager that gives the window another width, or a width beyond
// 32-bit twips leave the width as it is, and the pass lays out over the client area as
// it is. The width request resizes the window, which runs a pass inside the pass; that
// inner pass asks for nothing and lays out the same way.
class WindowLayout : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QWidget* img;
    QWidget* lbl;
    GiftList* lst;
    QWidget* add_com;
    QWidget* love_lbl;
  };

  // What the passes have done so far.
  struct Counts {
    int passes = 0;          // passes started
    int laid_out = 0;        // passes that got past the size check
    int width_requests = 0;  // times the window was asked for its 4:3 width
    int deepest = 0;         // the most passes under way at once
  };

  // `redraw_picture` draws the current picture over the picture area again; it is the
  // pass's last step.
  WindowLayout(QWidget& window, Controls controls, std::function<void()> redraw_picture);

  // One layout pass.
  void Run();

  // The outer size of the window (frame and title bar included) is not the one that the
  // last pass saw, though the client area did not change: the window manager has put a
  // frame around the window or taken it away.
  bool OuterSizeChanged() const;
  // The window was maximized, minimized, restored or made full screen.
  void WindowStateChanged();

  // The window's outer height in twips: its frame's height in logical pixels, 15 twips
  // to the pixel.
  std::int32_t OuterHeightTwips() const;

  const Counts& counts() const { return counts_; }

 private:
  void ShapeStep();
  void Settle();
  bool MayAskWidth() const;
  // The outer width to ask for, in pixels; 0 where there is none.
  int TargetWidth(std::int32_t height_twips) const;
  void AskWidth(int outer_width);
  void LayOut();

  QWidget& window_;
  Controls controls_;
  std::function<void()> redraw_picture_;
  layout::WidthRequests requests_;
  QTimer settle_timer_;
  QElapsedTimer clock_;
  QSize last_outer_;
  // The client size when the window's state last changed, until the window manager has
  // given the window its size for the new state.
  std::optional<QSize> size_at_state_change_;
  bool asking_ = false;  // the window is being given its width: passes now are its echo
  int running_ = 0;
  Counts counts_;
};

// The layout pass over the controls alone, as the window runs it: the controls placed on the
// grid over a client area of `client` pixels, the fonts those of a window `outer_height_twips`
// high (frame and title bar included).
void LayOutControlsOnGrid(QSize client, const WindowLayout::Controls& controls,
                          std::int32_t outer_height_twips);

}  // namespace velune
