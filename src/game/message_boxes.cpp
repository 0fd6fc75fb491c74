#include "game/message_boxes.h"

#include <QMessageBox>

#include "game/qt_text.h"
#include "story/texts.h"

namespace velune {
namespace {

void ShowBox(QWidget* window, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, ShownText(texts::kTitle), text, QMessageBox::Ok, window);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

MessageBoxes SystemMessageBoxes() {
  return MessageBoxes{
      [](QWidget* window, const QString& text) { ShowBox(window, QMessageBox::NoIcon, text); },
      [](QWidget* window, const QString& text) { ShowBox(window, QMessageBox::Critical, text); },
  };
}

}  // namespace velune
