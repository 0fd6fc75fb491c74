#pragma once

#include <QObject>
#include <QWidget>
#include <memory>

namespace velune {

// What the window needs to know of the desktop it runs on, one file for each kind.

// True where the window cannot open for want of a screen.
bool NoScreen();

// From now on the system's request to end the program (a shutdown, a logout, a kill) is
// held until CloseOnRequestToEnd hands it to the window; called first thing, so that a
// request during the start is not lost.
void HoldRequestToEnd();

// While the returned object lives, a request to end, held or new, closes `window` as the
// player closes it. Nothing where the desktop asks through the window itself.
std::unique_ptr<QObject> CloseOnRequestToEnd(QWidget& window);

}  // namespace velune
