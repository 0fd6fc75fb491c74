#pragma once

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <memory>
#include <string>
#include <vector>

#include "game/caption_label.h"
#include "game/game_window.h"
#include "game/picture_area.h"
#include "game_folder_fixture.h"
#include "story/disk_file_system.h"
#include "story/game.h"
#include "tool/virtual_clock.h"

namespace velune::testing {

// Notes every MCI command text; answers every status query with an empty reply.
class RecordingMci : public MciPort {
 public:
  int SendString(std::string_view command, char* reply, int reply_length) override {
    commands.emplace_back(command);
    if (reply != nullptr && reply_length > 0) reply[0] = '\0';
    return 0;
  }
  std::vector<std::string> commands;
};

// The game window on a test folder, its timers on a virtual clock that the test moves
// on, its message boxes noted instead of shown.
class WindowTest : public ::testing::Test {
 protected:
  // The story that most tests play: a picture, a page of five lines and one more, a
  // page break and a gift prompt for ラムネ worth 7 points.
  void WriteStory() {
    folder_.Lines("dat/lst.dat", {"ring", kRamuneCp932, "book"});
    folder_.Picture("pic", TwoHalves(4, 3));
    folder_.Scene("00", {">img>pic", std::string("line1 ") + kACp932, "line2", "line3", "line4",
                         "line5", "line6", "-p", std::string(">") + kRamuneCp932, "7", "10", "11"});
    folder_.Scene("10", {"right", "-p", ">ive>00"});
    folder_.Scene("11", {"wrong", "-p", ">ive>00"});
  }

  // Makes the window; with real_timers it runs on its own Qt timers.
  void MakeWindow(bool real_timers = false) {
    MessageBoxes boxes{
        [this](QWidget*, const QString& text) {
          abouts_.push_back(text);
          if (during_about_) during_about_();
        },
        [this](QWidget*, const QString& text) { errors_.push_back(text); },
    };
    window_ = std::make_unique<GameWindow>(
        WindowPorts{files_, mci_, boxes, real_timers ? nullptr : &clock_});
  }

  bool Start(bool real_timers = false) {
    MakeWindow(real_timers);
    return window_->Start(folder_.Path());
  }

  // Moves the virtual clock on by `ms`, delivering every tick due meanwhile.
  void Wait(std::int64_t ms) {
    clock_.AdvanceTo(clock_.Now() + ms, [this](TimerId id) {
      window_->TimerTick(id);
      return !window_->Ended();
    });
  }

  const Game& game() const { return window_->game(); }
  CaptionLabel* Lbl() const { return window_->findChild<CaptionLabel*>("Lbl"); }
  CaptionLabel* LoveLbl() const { return window_->findChild<CaptionLabel*>("LoveLbl"); }
  QListWidget* Lst() const { return window_->findChild<QListWidget*>("Lst"); }
  QPushButton* AddCom() const { return window_->findChild<QPushButton*>("AddCom"); }
  PictureArea* Img() const { return window_->findChild<PictureArea*>("Img"); }

  void ClickLbl(Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Lbl(), button, {}, QPoint(10, 10));
  }
  void ClickEntry(int row) {
    QListWidget* list = Lst();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  void ClickGive() { QTest::mouseClick(AddCom(), Qt::LeftButton); }

  // Plays the test story up to its gift prompt.
  void ReachPrompt() {
    Wait(600);   // the picture and a full page of five lines
    ClickLbl();  // line6
    Wait(100);   // the page break: waiting
    ClickLbl();  // the prompt line
  }

  GameFolder folder_;
  DiskFileSystem files_;
  RecordingMci mci_;
  VirtualClock clock_;
  std::vector<QString> abouts_;
  std::vector<QString> errors_;
  std::function<void()> during_about_;
  std::unique_ptr<GameWindow> window_;
};

}  // namespace velune::testing
