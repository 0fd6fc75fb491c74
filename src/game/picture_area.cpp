#include "game/picture_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace velune {

PictureArea::PictureArea(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Img"));
  setFocusPolicy(Qt::TabFocus);
  SetSingleBorder(true);
}

void PictureArea::SetBackColour(const QColor& colour) {
  if (colour == back_colour_) return;
  back_colour_ = colour;
  update();
}

void PictureArea::SetSingleBorder(bool single) {
  const int style = single ? QFrame::Box | QFrame::Plain : QFrame::NoFrame;
  if (frameStyle() == style) return;
  setFrameStyle(style);
  setLineWidth(1);
  QPalette frame_colour = palette();
  frame_colour.setColor(QPalette::WindowText, Qt::black);
  setPalette(frame_colour);
}

QSize PictureArea::InnerSize() const {
  const QSizeF inner = QSizeF(contentsRect().size()) * devicePixelRatioF();
  return QSize(static_cast<int>(std::lround(inner.width())),
               static_cast<int>(std::lround(inner.height())));
}

void PictureArea::ShowDrawing(const QImage& drawing) {
  drawing_ = drawing;
  drawing_.setDevicePixelRatio(devicePixelRatioF());
  update();
}

void PictureArea::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.fillRect(inner, back_colour_);
    if (!drawing_.isNull()) {
      painter.setClipRect(inner);
      painter.drawImage(inner.topLeft(), drawing_);
    }
  }
  QFrame::paintEvent(event);  // the border
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace velune
