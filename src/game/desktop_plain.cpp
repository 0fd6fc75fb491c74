// Windows and macOS: a screen is always there, and the system asks the program to end
// through its window.
#include "game/desktop.h"

namespace velune {

bool NoScreen() { return false; }

void HoldRequestToEnd() {}

std::unique_ptr<QObject> CloseOnRequestToEnd(QWidget&) { return nullptr; }

}  // namespace velune
