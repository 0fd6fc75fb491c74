#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

#include "media/picture_display.h"

namespace velune {

// Img: the scene picture area. A frame around an inner surface that shows its back
// colour until a picture is drawn, then the last drawing, which survives every repaint.
// A left click on it is the window's Img_Click.
class PictureArea : public QFrame, public PictureSurface {
  Q_OBJECT

 public:
  explicit PictureArea(QWidget* parent = nullptr);

  void SetBackColour(const QColor& colour);
  void SetSingleBorder(bool single);

  QSize InnerSize() const override;
  void ShowDrawing(const QImage& drawing) override;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor back_colour_;
  QImage drawing_;
  bool pressed_ = false;
};

}  // namespace velune
