#pragma once

// What every test of the game window needs: its controls by name, clicks on them, and
// its ticks on a virtual clock.

#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>

#include "game/caption_label.h"
#include "game/game_window.h"
#include "game/picture_area.h"
#include "story/disk_file_system.h"
#include "story/game.h"
#include "tool/virtual_clock.h"

// Readable failure messages for Qt values.
inline void PrintTo(const QColor& colour, std::ostream* out) {
  *out << colour.name().toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace velune::testing {

// The window's controls, by the names that the game gives them.
inline CaptionLabel* Lbl(const QWidget* window) { return window->findChild<CaptionLabel*>("Lbl"); }
inline CaptionLabel* LoveLbl(const QWidget* window) {
  return window->findChild<CaptionLabel*>("LoveLbl");
}
inline QListWidget* Lst(const QWidget* window) { return window->findChild<QListWidget*>("Lst"); }
inline QPushButton* AddCom(const QWidget* window) {
  return window->findChild<QPushButton*>("AddCom");
}
inline PictureArea* Img(const QWidget* window) { return window->findChild<PictureArea*>("Img"); }

// Moves the virtual clock on by `ms`, delivering every tick due meanwhile until the
// window ends.
inline void Advance(GameWindow& window, VirtualClock& clock, std::int64_t ms) {
  clock.AdvanceTo(clock.Now() + ms, [&](TimerId id) {
    window.TimerTick(id);
    return !window.Ended();
  });
}

}  // namespace velune::testing
