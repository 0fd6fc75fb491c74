#pragma once

#include <QImage>
#include <QPainter>
#include <functional>

#include "common/story_folder.h"
#include "story/game_fixture.h"
#include "window_fixture.h"

namespace velune::testing {

// Saves a picture as grf/NAME.dat in any format that Qt writes.
inline void SavePicture(const StoryFolder& folder, const std::string& name, const QImage& picture,
                        const char* format = "BMP") {
  picture.save(QString::fromStdString(folder.At("grf/" + name + ".dat").string()), format);
}

// A picture of two halves: blue on the left, green on the right.
inline QImage TwoHalves(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(Qt::green);
  QPainter(&picture).fillRect(0, 0, width / 2, height, Qt::blue);
  return picture;
}

// Sees every event of a widget or window before it does.
class EventWatcher : public QObject {
 public:
  EventWatcher(QObject* watched, std::function<void(QEvent*)> seen) : seen_(std::move(seen)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    seen_(event);
    return false;
  }

 private:
  std::function<void(QEvent*)> seen_;
};

// The game window on a test folder, its timers on a virtual clock that the test moves
// on, its message boxes noted instead of shown. The folder holds the story that most
// tests play: a picture, a page of five lines and one more, a page break and a gift
// prompt for ラムネ worth 7 points.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    folder_.Write("dat/lst.dat", "ring\nラムネ\nbook\n");
    SavePicture(folder_, "pic", TwoHalves(4, 3));
    folder_.Write(
        "dat/00.dat",
        ">img>pic\nline1 あ\nline2\nline3\nline4\nline5\nline6\n-p\n>ラムネ\n7\n10\n11\n");
    folder_.Write("dat/10.dat", "right\n-p\n>ive>00\n");
    folder_.Write("dat/11.dat", "wrong\n-p\n>ive>00\n");
  }

  // Makes and starts the window; with real_timers it runs on its own Qt timers.
  bool Start(bool real_timers = false) {
    MessageBoxes boxes{
        [this](QWidget*, const QString& text) {
          abouts_.push_back(text);
          if (during_about_) during_about_();
        },
        [this](QWidget*, const QString& text) { errors_.push_back(text); },
    };
    window_ = std::make_unique<GameWindow>(
        WindowPorts{files_, mci_, boxes, real_timers ? nullptr : &clock_});
    return window_->Start(folder_.Path());
  }

  void Wait(std::int64_t ms) { Advance(*window_, clock_, ms); }

  const Game& game() const { return window_->game(); }
  CaptionLabel* Lbl() const { return testing::Lbl(window_.get()); }
  CaptionLabel* LoveLbl() const { return testing::LoveLbl(window_.get()); }
  QListWidget* Lst() const { return testing::Lst(window_.get()); }
  QPushButton* AddCom() const { return testing::AddCom(window_.get()); }
  PictureArea* Img() const { return testing::Img(window_.get()); }

  void ClickLbl(Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Lbl(), button, {}, QPoint(10, 10));
  }
  void ClickEntry(int row) {
    QTest::mouseClick(Lst()->viewport(), Qt::LeftButton, {},
                      Lst()->visualItemRect(Lst()->item(row)).center());
  }

  // Plays the test story up to its gift prompt.
  void ReachPrompt() {
    Wait(600);   // the picture and a full page of five lines
    ClickLbl();  // line6
    Wait(100);   // the page break: waiting
    ClickLbl();  // the prompt line
  }

  StoryFolder folder_;
  DiskFileSystem files_;
  FakeMci mci_;
  VirtualClock clock_;
  std::vector<QString> abouts_;
  std::vector<QString> errors_;
  std::function<void()> during_about_;
  std::unique_ptr<GameWindow> window_;
};

}  // namespace velune::testing
