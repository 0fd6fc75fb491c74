#pragma once

// The game window on a test folder, its ticks on a virtual clock, its message boxes noted.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QtTest/QTest>

#include "common/story_folder.h"
#include "game/caption_label.h"
#include "game/game_window.h"
#include "game/picture_area.h"
#include "story/disk_file_system.h"
#include "story/game.h"
#include "story/game_fixture.h"
#include "tool/virtual_clock.h"

inline void PrintTo(const QColor& c, std::ostream* out) { *out << c.name().toStdString(); }

namespace velune::testing {

inline CaptionLabel* Lbl(const QWidget* window) { return window->findChild<CaptionLabel*>("Lbl"); }
inline CaptionLabel* LoveLbl(const QWidget* w) { return w->findChild<CaptionLabel*>("LoveLbl"); }
inline QListWidget* Lst(const QWidget* window) { return window->findChild<QListWidget*>("Lst"); }
inline QPushButton* AddCom(const QWidget* w) { return w->findChild<QPushButton*>("AddCom"); }
inline PictureArea* Img(const QWidget* window) { return window->findChild<PictureArea*>("Img"); }

// Moves the clock on by `ms`, delivering every tick due meanwhile until the window ends.
inline void Advance(GameWindow& window, VirtualClock& clock, std::int64_t ms) {
  clock.AdvanceTo(clock.Now() + ms,
                  [&](TimerId id) { return window.TimerTick(id), !window.Ended(); });
}

// A picture (blue left, green right), six lines, a page break and a gift prompt for ラムネ.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    folder_.Write("dat/lst.dat", "ring\nラムネ\nbook\n");
    folder_.Write(
        "dat/00.dat",
        ">img>pic\nline1 あ\nline2\nline3\nline4\nline5\nline6\n-p\n>ラムネ\n7\n10\n11\n");
    folder_.Write("dat/10.dat", "right\n-p\n>ive>00\n");
    folder_.Write("dat/11.dat", "wrong\n-p\n>ive>00\n");
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::green);
    QPainter(&picture).fillRect(0, 0, 2, 3, Qt::blue);
    picture.save(QString::fromStdString(folder_.At("grf/pic.dat").string()), "BMP");
  }
  bool Start(bool real_timers = false) {  // real timers: the window's own
    window_ = std::make_unique<GameWindow>(
        WindowPorts{files_, mci_, boxes_, real_timers ? nullptr : &clock_});
    return window_->Start(folder_.Path());
  }
  void Wait(std::int64_t ms) { Advance(*window_, clock_, ms); }
  QWidget* w() const { return window_.get(); }
  void ClickLbl(Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseClick(Lbl(w()), b, {}, {10, 10});
  }

  StoryFolder folder_;
  DiskFileSystem files_;
  FakeMci mci_;
  VirtualClock clock_;
  QStringList abouts_, errors_;
  std::function<void()> during_about_ = [] {};
  MessageBoxes boxes_{[this](QWidget*, const QString& text) { abouts_ << text, during_about_(); },
                      [this](QWidget*, const QString& text) { errors_ << text; }};
  std::unique_ptr<GameWindow> window_;
};

}  // namespace velune::testing
