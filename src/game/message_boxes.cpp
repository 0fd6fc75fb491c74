#include "game/message_boxes.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include "game/qt_text.h"
#include "story/texts.h"

namespace velune {
namespace {

// A window just shown is not on the screen until the window manager has put it in its
// place, which it does as it maps the window: until then the window seems to lie in the
// screen's corner. Waits (a second at the most) for the window to come up.
void WaitUntilOnScreen(QWidget* window) {
  QWindow* handle = window != nullptr && window->isVisible() ? window->windowHandle() : nullptr;
  if (handle == nullptr || handle->isExposed()) return;
  QEventLoop wait;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &wait, [&] {
    if (handle->isExposed()) wait.quit();
  });
  check.start(10);
  QTimer::singleShot(1000, &wait, &QEventLoop::quit);
  wait.exec();
}

// Each box opens centred over the window.
void ShowBox(QWidget* window, QMessageBox::Icon icon, const QString& text) {
  WaitUntilOnScreen(window);
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
