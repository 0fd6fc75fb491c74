#pragma once

#include <QLabel>
#include <string>

namespace velune {

// Lbl and LoveLbl: a caption over several lines, wrapped at the label's width, that
// tells which mouse button was pressed on it (1 left, 2 right, 4 middle). A double
// click is one press: its second press comes as a double click, which the label takes
// and lets go.
class CaptionLabel : public QLabel {
  Q_OBJECT

 public:
  explicit CaptionLabel(const QString& name, QWidget* parent = nullptr);

  // The caption as the game holds it; a CR LF starts a new line.
  void SetCaption(const std::string& caption);
  void SetTextColour(const QColor& colour);
  void SetTransparent(bool transparent);
  void SetSingleBorder(bool single);

 signals:
  void buttonPressed(int button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace velune
