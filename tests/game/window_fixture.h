#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

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

// Japanese words as a Japanese Windows editor saves them (code page 932), and as the
// window shows them.
inline constexpr char kRamuneCp932[] = "\x83\x89\x83\x80\x83\x6c";  // ラムネ
inline constexpr char kACp932[] = "\x82\xa0";                       // あ

// A game folder written for one test: scene files and the gift list in code page 932
// with CR LF line ends, pictures in any format under grf/NAME.dat.
class GameFolder {
 public:
  GameFolder() { QDir(dir_.path()).mkpath(QStringLiteral("dat")); }

  std::string Path() const { return QFile::encodeName(dir_.path()).toStdString(); }

  // Writes a text file of the game folder, each line ended by CR LF.
  void Lines(const std::string& relative, std::initializer_list<std::string> lines) const {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    Bytes(relative, bytes);
  }
  void Scene(const std::string& name, std::initializer_list<std::string> lines) const {
    Lines("dat/" + name + ".dat", lines);
  }
  void Bytes(const std::string& relative, const std::string& bytes) const {
    const QString path = dir_.filePath(QString::fromStdString(relative));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + relative);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  void Picture(const std::string& name, const QImage& picture, const char* format = "BMP") const {
    QDir(dir_.path()).mkpath(QStringLiteral("grf"));
    picture.save(dir_.filePath(QString::fromStdString("grf/" + name + ".dat")), format);
  }
  void Remove(const std::string& relative) const {
    QFile::remove(dir_.filePath(QString::fromStdString(relative)));
  }

 private:
  QTemporaryDir dir_;
};

// A picture of two halves: blue on the left, green on the right.
inline QImage TwoHalves(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, x < width / 2 ? qRgb(0, 0, 255) : qRgb(0, 255, 0));
    }
  }
  return picture;
}

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
// on, its message boxes noted instead of shown. The folder holds the story that most
// tests play: a picture, a page of five lines and one more, a page break and a gift
// prompt for ラムネ worth 7 points.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    folder_.Lines("dat/lst.dat", {"ring", kRamuneCp932, "book"});
    folder_.Picture("pic", TwoHalves(4, 3));
    folder_.Scene("00", {">img>pic", std::string("line1 ") + kACp932, "line2", "line3", "line4",
                         "line5", "line6", "-p", std::string(">") + kRamuneCp932, "7", "10", "11"});
    folder_.Scene("10", {"right", "-p", ">ive>00"});
    folder_.Scene("11", {"wrong", "-p", ">ive>00"});
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
