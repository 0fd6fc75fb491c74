#include "game/window_layout.h"

#include <QFont>
#include <QWidget>
#include <algorithm>

#include "game/gift_list.h"
#include "game/layout_rules.h"

namespace velune {
namespace {

using layout::Control;
using layout::GridAxis;
using layout::GridRect;

// The controls in the window's grid: placed in grid units rounded to whole pixels, read
// back from the pixels they really take.
class WidgetGrid : public layout::GridControls {
 public:
  WidgetGrid(QSize client, const WindowLayout::Controls& controls)
      : across_{double(client.width()), layout::kGridWidth},
        down_{double(client.height()), layout::kGridHeight},
        controls_(controls) {}

  double GridWidth() const override { return across_.units; }
  double GridHeight() const override { return down_.units; }

  GridRect Place(Control control) const override {
    const QRect r = Widget(control)->geometry();
    return {across_.ToUnits(r.x()), down_.ToUnits(r.y()), across_.ToUnits(r.width()),
            down_.ToUnits(r.height())};
  }

  void Move(Control control, double left, double top, std::optional<double> width,
            std::optional<double> height) override {
    QWidget* widget = Widget(control);
    const QRect now = widget->geometry();
    const int w = width ? across_.LengthPixels(left, *width) : now.width();
    const int h = height ? down_.LengthPixels(top, *height) : now.height();
    SetGeometry(control, QRect(across_.StartPixel(left), down_.StartPixel(top), w, h),
                height.has_value());
  }

  void SetWidth(Control control, double width) override {
    const QRect now = Widget(control)->geometry();
    const int w = across_.LengthPixels(Place(control).left, width);
    SetGeometry(control, QRect(now.topLeft(), QSize(w, now.height())), false);
  }

  void SetHeight(Control control, double height) override {
    const QRect now = Widget(control)->geometry();
    const int h = down_.LengthPixels(Place(control).top, height);
    SetGeometry(control, QRect(now.topLeft(), QSize(now.width(), h)), true);
  }

  void SetFontSize(Control control, int points) override {
    QWidget* widget = Widget(control);
    QFont font = widget->font();
    if (font.pointSize() == points) return;
    font.setPointSize(points);
    widget->setFont(font);
  }

 private:
  QWidget* Widget(Control control) const {
    switch (control) {
      case Control::kImg:
        return controls_.img;
      case Control::kLbl:
        return controls_.lbl;
      case Control::kLst:
        return controls_.lst;
      case Control::kAddCom:
        return controls_.add_com;
      case Control::kLoveLbl:
        return controls_.love_lbl;
    }
    return controls_.img;
  }

  // The list takes whole rows of a height that it is given.
  void SetGeometry(Control control, QRect r, bool new_height) {
    r.setWidth(std::max(0, r.width()));
    r.setHeight(std::max(0, r.height()));
    QWidget* widget = Widget(control);
    if (control == Control::kLst && new_height) {
      const int asked = r.height();
      r.setHeight(widget->height());
      if (widget->geometry() != r) widget->setGeometry(r);
      controls_.lst->SetHeightInWholeRows(asked);
      return;
    }
    if (widget->geometry() != r) widget->setGeometry(r);
  }

  GridAxis across_;
  GridAxis down_;
  const WindowLayout::Controls& controls_;
};

}  // namespace

void LayOutControlsOnGrid(QSize client, const WindowLayout::Controls& controls,
                          std::int32_t outer_height_twips) {
  WidgetGrid grid(client, controls);
  layout::LayOutControls(grid, layout::BaseFontSize(outer_height_twips));
}

WindowLayout::WindowLayout(QWidget& window, Controls controls, std::function<void()> redraw_picture)
    : window_(window), controls_(controls), redraw_picture_(std::move(redraw_picture)) {
  settle_timer_.setSingleShot(true);
  settle_timer_.setInterval(static_cast<int>(layout::WidthRequests::kSettleMs));
  connect(&settle_timer_, &QTimer::timeout, this, &WindowLayout::Settle);
  clock_.start();
}

std::int32_t WindowLayout::OuterHeightTwips() const {
  return window_.frameGeometry().height() * layout::kTwipsPerPixel;
}

bool WindowLayout::OuterSizeChanged() const {
  return last_outer_.isValid() && window_.frameGeometry().size() != last_outer_;
}

void WindowLayout::WindowStateChanged() {
  requests_.Forget();
  settle_timer_.stop();
  size_at_state_change_ = window_.size();
}

void WindowLayout::Run() {
  ++counts_.passes;
  ++running_;
  counts_.deepest = std::max(counts_.deepest, running_);
  ShapeStep();
  if (OuterHeightTwips() >= layout::kLeastLaidOutHeight) LayOut();
  last_outer_ = window_.frameGeometry().size();
  --running_;
}

void WindowLayout::ShapeStep() {
  if (asking_) return;  // the echo of the layout's own request: the width is the one asked
  if (!MayAskWidth()) {
    settle_timer_.stop();
    return;
  }
  if (size_at_state_change_) {
    // Restored, say, but the window manager has not yet given back the size from before:
    // a width asked for now would keep the size of the maximized window.
    if (window_.size() == *size_at_state_change_) {
      settle_timer_.start();
      return;
    }
    size_at_state_change_.reset();
  }
  const std::int32_t height = OuterHeightTwips();
  const int target = TargetWidth(height);
  if (target <= 0) return;
  switch (requests_.Consider(window_.frameGeometry().width(), height, target, clock_.elapsed())) {
    case layout::WidthRequests::Verdict::kInShape:
      settle_timer_.stop();
      return;
    case layout::WidthRequests::Verdict::kAsk:
      settle_timer_.stop();
      AskWidth(target);
      return;
    case layout::WidthRequests::Verdict::kHeld:
      if (requests_.SettleAllowed()) settle_timer_.start();
      return;
  }
}

void WindowLayout::Settle() {
  if (!window_.isVisible() || !MayAskWidth() || running_ > 0) return;
  size_at_state_change_.reset();  // the window manager kept the size
  const std::int32_t height = OuterHeightTwips();
  const int target = TargetWidth(height);
  if (target <= 0) return;
  if (requests_.Settle(window_.frameGeometry().width(), height, target, clock_.elapsed()) ==
      layout::WidthRequests::Verdict::kAsk) {
    AskWidth(target);
  }
}

bool WindowLayout::MayAskWidth() const {
  return !(window_.windowState() &
           (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

int WindowLayout::TargetWidth(std::int32_t height_twips) const {
  const auto width_twips = layout::OuterWidthTwips(height_twips);
  if (!width_twips) return 0;  // beyond 32 bits: the width stays
  const int outer = layout::TwipsToPixels(*width_twips);
  const int frame = window_.frameGeometry().width() - window_.width();
  return outer - frame >= 1 ? outer : 0;  // no room for a client area: the width stays
}

void WindowLayout::AskWidth(int outer_width) {
  ++counts_.width_requests;
  const int frame = window_.frameGeometry().width() - window_.width();
  asking_ = true;
  window_.resize(outer_width - frame, window_.height());
  asking_ = false;
}

void WindowLayout::LayOut() {
  const QSize client = window_.size();
  if (client.isEmpty()) return;  // no grid over nothing
  ++counts_.laid_out;
  LayOutControlsOnGrid(client, controls_, OuterHeightTwips());
  redraw_picture_();
}

}  // namespace velune
