#pragma once

#include <QIcon>

namespace velune {

// The window's own icon, drawn at start: a crescent moon and a small heart on red.
QIcon DrawWindowIcon();

}  // namespace velune
