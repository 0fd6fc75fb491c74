#pragma once

#include <QColor>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "game/message_boxes.h"
#include "game/play_window.h"
#include "story/controls.h"
#include "story/file_system.h"
#include "story/mci_port.h"
#include "story/timers.h"

class QPushButton;

namespace velune {

class CaptionLabel;
class Game;
class GiftList;
class PictureArea;
class PictureDisplay;
class QtTimers;
class StoryWatcher;
class WindowLayout;

// What the window needs of the world around it.
struct WindowPorts {
  FileSystem& files;
  MciPort& mci;
  MessageBoxes boxes;
  // A clock of the caller's for the game's timers, whose ticks come back through
  // TimerTick; the window runs its own Qt timers when there is none.
  TimerPort* timers = nullptr;
};

// The game window Fom: the red window with the scene picture, the story text, the gift
// list, the give button and the love meter. It decides nothing: every event goes to the
// game, and afterwards the controls show the game's state. When the game has met an
// error, the window reports it in a message box and ends; in the author's preview that
// watches the story, it shows the error in the story text instead and stays.
class GameWindow : public QWidget {
  Q_OBJECT

 public:
  explicit GameWindow(WindowPorts ports, QWidget* parent = nullptr);
  ~GameWindow() override;

  // Start-up: Form_Load on the program's folder, the window shown (its first layout
  // pass), then the first new game, at the preview's scene. False when the game ended
  // with an error meanwhile.
  bool Start(const std::string& program_folder, const Preview& preview = {});

  // A tick of one of the game's timers.
  void TimerTick(TimerId id);

  const Game& game() const { return *game_; }
  // The layout passes that the window's resizes ran.
  const WindowLayout& layout() const { return *layout_; }
  // True once the window has closed or the game ended with an error.
  bool Ended() const { return ended_; }
  // 0 after a close, 1 after an error.
  int ExitStatus() const { return exit_status_; }

 signals:
  // The game is over and the program should end with `status`.
  void finished(int status);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceControls();
  void Form_Resize();
  void OnLblPressed(int button);
  void OnImgClicked();
  void OnGiveClicked();
  void OnListSelectionChanged();

  // After every event: an error ends the game, otherwise the controls show its state.
  void AfterEvent();
  void Sync();
  void SyncList(const ListBox& list);
  void SyncGiveButton(const Button& button);
  void Fail();
  // The preview that watches: a save starts a new game at the scene saved, or else at the
  // scene shown.
  void OnStoryChanged(const QString& scene);
  void StopEvents();
  void Finish(int status);

  MessageBoxes boxes_;
  CaptionLabel* lbl_;
  GiftList* lst_;
  QPushButton* add_com_;
  PictureArea* img_;
  CaptionLabel* love_lbl_;

  std::unique_ptr<PictureDisplay> pictures_;  // DF and the drawing on Img
  std::unique_ptr<QtTimers> own_timers_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<WindowLayout> layout_;
  StoryWatcher* watcher_ = nullptr;
  Preview preview_;  // its scene: where the game started last

  QColor back_colour_;
  std::vector<std::string> shown_entries_;
  QColor shown_give_colour_;
  bool syncing_ = false;
  bool ended_ = false;
  int exit_status_ = 0;
};

}  // namespace velune
