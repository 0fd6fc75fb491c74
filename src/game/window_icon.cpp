#include "game/window_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velune {
namespace {

QPainterPath Heart(const QRectF& box) {
  const qreal x = box.x(), y = box.y(), w = box.width(), h = box.height();
  QPainterPath heart;
  heart.moveTo(x + w * 0.5, y + h * 0.28);
  heart.cubicTo(x + w * 0.5, y, x, y, x, y + h * 0.32);
  heart.cubicTo(x, y + h * 0.62, x + w * 0.35, y + h * 0.78, x + w * 0.5, y + h);
  heart.cubicTo(x + w * 0.65, y + h * 0.78, x + w, y + h * 0.62, x + w, y + h * 0.32);
  heart.cubicTo(x + w, y, x + w * 0.5, y, x + w * 0.5, y + h * 0.28);
  heart.closeSubpath();
  return heart;
}

QPixmap DrawAt(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;

  // The red of the window, as a rounded tile with a darker rim.
  const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
  painter.setPen(QPen(QColor(150, 0, 0), qMax<qreal>(1.0, s / 32)));
  painter.setBrush(QColor(255, 0, 0));
  painter.drawRoundedRect(tile, s * 0.18, s * 0.18);

  // A pale crescent moon: a full disc with a second disc cut out of it.
  QPainterPath disc;
  disc.addEllipse(QRectF(s * 0.14, s * 0.12, s * 0.56, s * 0.56));
  QPainterPath bite;
  bite.addEllipse(QRectF(s * 0.30, s * 0.04, s * 0.52, s * 0.52));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 240, 200));
  painter.drawPath(disc.subtracted(bite));

  // A small heart under the moon's horn.
  painter.setBrush(QColor(255, 205, 220));
  painter.setPen(QPen(QColor(120, 0, 30), qMax<qreal>(1.0, s / 48)));
  painter.drawPath(Heart(QRectF(s * 0.52, s * 0.50, s * 0.36, s * 0.34)));
  return pixmap;
}

}  // namespace

QIcon DrawWindowIcon() {
  // The sizes of title bars and window switchers. Menus and launchers take the installed
  // icon instead; drawing and sending 128 and 256 too cost the window's start some 8 ms.
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(DrawAt(size));
  return icon;
}

}  // namespace velune
