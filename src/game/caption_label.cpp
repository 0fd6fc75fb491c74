#include "game/caption_label.h"

#include <QMouseEvent>

#include "game/qt_text.h"

namespace velune {
namespace {

int GameButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;  // the game knows no other buttons
  }
}

}  // namespace

CaptionLabel::CaptionLabel(const QString& name, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setTextFormat(Qt::PlainText);  // story text is never markup
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setFocusPolicy(Qt::NoFocus);
  setContextMenuPolicy(Qt::PreventContextMenu);  // a right click skips ahead, nothing else
}

void CaptionLabel::SetCaption(const std::string& caption) { setText(ShownText(caption)); }

void CaptionLabel::SetTextColour(const QColor& colour) {
  if (palette().color(QPalette::WindowText) == colour) return;
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, colour);
  setPalette(colours);
}

void CaptionLabel::SetTransparent(bool transparent) { setAutoFillBackground(!transparent); }

void CaptionLabel::SetSingleBorder(bool single) {
  const int style = single ? QFrame::Box | QFrame::Plain : QFrame::NoFrame;
  if (frameStyle() != style) setFrameStyle(style);
}

void CaptionLabel::mousePressEvent(QMouseEvent* event) {
  const int button = GameButton(event->button());
  event->accept();
  if (button != 0) emit buttonPressed(button);
}

void CaptionLabel::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace velune
