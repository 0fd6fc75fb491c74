#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace velune {

// The window's two message boxes. Each is modal to the window and returns when the
// player has closed it; tests put their own in place.
struct MessageBoxes {
  // The about message: caption "Velune", OK only, no icon. The game goes on behind it.
  std::function<void(QWidget* window, const QString& text)> about;
  // The report of an error that ended the game.
  std::function<void(QWidget* window, const QString& text)> error;
};

// The real boxes.
MessageBoxes SystemMessageBoxes();

}  // namespace velune
