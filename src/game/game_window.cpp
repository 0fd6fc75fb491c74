#include "game/game_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "game/caption_label.h"
#include "game/control_places.h"
#include "game/gift_list.h"
#include "game/list_changes.h"
#include "game/picture_area.h"
#include "game/qt_text.h"
#include "game/qt_timers.h"
#include "game/story_watcher.h"
#include "game/window_icon.h"
#include "game/window_layout.h"
#include "media/picture_display.h"
#include "story/game.h"

namespace velune {
namespace {

void ShowLabel(CaptionLabel* widget, const Label& label) {
  widget->SetCaption(label.caption);
  const QString tip = PlainText(label.tooltip);
  if (widget->toolTip() != tip) widget->setToolTip(tip);
  widget->SetTextColour(ToQColor(label.text_colour));
  widget->SetTransparent(label.transparent);
  widget->SetSingleBorder(label.border == Border::kSingle);
}

int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.first());
}

// The give button's face: flat in its back colour, with a thin dark border. The rule
// names the button, so it reaches nothing else.
QString GiveButtonStyle(const QColor& back) {
  return QStringLiteral(
             "QPushButton#AddCom { background-color: %1; border: 1px solid #000000; }"
             "QPushButton#AddCom:focus { border: 2px solid #000000; }"
             "QPushButton#AddCom:pressed { background-color: %2; }")
      .arg(back.name(), back.darker(130).name());
}

}  // namespace

GameWindow::GameWindow(WindowPorts ports, QWidget* parent)
    : QWidget(parent), boxes_(std::move(ports.boxes)) {
  // Created in the tab order: Lbl, Lst, AddCom, Img; then the love meter.
  lbl_ = new CaptionLabel(QStringLiteral("Lbl"), this);
  lst_ = new GiftList(this);
  add_com_ = new QPushButton(this);
  add_com_->setObjectName(QStringLiteral("AddCom"));
  add_com_->setAutoDefault(false);
  add_com_->hide();
  img_ = new PictureArea(this);
  love_lbl_ = new CaptionLabel(QStringLiteral("LoveLbl"), this);
  setTabOrder(lbl_, lst_);
  setTabOrder(lst_, add_com_);
  setTabOrder(add_com_, img_);

  pictures_ = std::make_unique<PictureDisplay>(*img_);
  TimerPort* timers = ports.timers;
  if (timers == nullptr) {
    own_timers_ = std::make_unique<QtTimers>([this](TimerId id) { TimerTick(id); });
    timers = own_timers_.get();
  }
  game_ = std::make_unique<Game>(GamePorts{ports.files, *pictures_, ports.mci, *timers});
  layout_ = std::make_unique<WindowLayout>(
      *this, WindowLayout::Controls{img_, lbl_, lst_, add_com_, love_lbl_}, [this] {
        if (ended_) return;
        game_->ShowPicture("");
        AfterEvent();
      });

  connect(lbl_, &CaptionLabel::buttonPressed, this, &GameWindow::OnLblPressed);
  connect(img_, &PictureArea::clicked, this, &GameWindow::OnImgClicked);
  connect(add_com_, &QPushButton::clicked, this, &GameWindow::OnGiveClicked);
  connect(lst_, &QListWidget::itemSelectionChanged, this, &GameWindow::OnListSelectionChanged);

  setWindowIcon(DrawWindowIcon());
  resize(InitialClientSize());
  PlaceControls();
  Sync();
}

GameWindow::~GameWindow() {
  if (!ended_) game_->Form_Unload();  // the tune stops with the window
}

bool GameWindow::Start(const std::string& program_folder, const Preview& preview) {
  preview_ = preview;
  if (preview.watch) {
    watcher_ = new StoryWatcher(QFile::decodeName(program_folder.c_str()), this);
    connect(watcher_, &StoryWatcher::changed, this, &GameWindow::OnStoryChanged);
  }
  game_->Form_Load(program_folder);
  AfterEvent();
  if (ended_) return false;
  show();  // the first layout pass runs in here
  if (ended_) return false;
  if (preview.scene == kFirstScene && preview.love == 0) {
    game_->Form_Activate();
  } else {
    game_->NewGameAt(preview.scene, preview.love);
  }
  AfterEvent();
  if (ended_) return false;
  lst_->setFocus();
  return true;
}

void GameWindow::PlaceControls() {
  img_->setGeometry(ToPixels(kImgPlace));
  lbl_->setGeometry(ToPixels(kLblPlace));
  love_lbl_->setGeometry(ToPixels(kLoveLblPlace));
  lst_->setGeometry(ToPixels(kLstPlace));
  add_com_->setGeometry(ToPixels(kAddComPlace));
}

void GameWindow::Form_Resize() {
  // The layout pass: the 4:3 shape, the controls on the grid, the fonts, and at last the
  // current picture drawn again over the picture area as it is sized now.
  if (ended_ || !layout_) return;
  layout_->Run();
}

void GameWindow::TimerTick(TimerId id) {
  if (ended_) return;
  game_->Tick(id);
  AfterEvent();
}

void GameWindow::OnLblPressed(int button) {
  if (ended_) return;
  game_->Lbl_MouseDown(button);
  AfterEvent();
}

void GameWindow::OnImgClicked() {
  if (ended_) return;
  // The game goes on behind the message: its timers keep ticking while it is open.
  boxes_.about(this, ShownText(game_->Img_Click()));
}

void GameWindow::OnGiveClicked() {
  if (ended_) return;
  game_->AddCom_Click();
  AfterEvent();
}

void GameWindow::OnListSelectionChanged() {
  if (syncing_ || ended_) return;
  const int row = SelectedRow(lst_);
  if (row >= 0) game_->Lst_Select(row);
  AfterEvent();  // a selection that the game did not take is put back
}

void GameWindow::AfterEvent() {
  if (ended_) return;
  if (game_->Error()) {
    Fail();
    return;
  }
  Sync();
}

void GameWindow::Sync() {
  syncing_ = true;
  const WindowControls& c = game_->Controls();
  const QString title = ShownText(c.title);
  if (windowTitle() != title) setWindowTitle(title);
  const QColor back = ToQColor(c.back_colour);
  if (back != back_colour_) {
    back_colour_ = back;
    update();
  }
  img_->SetBackColour(ToQColor(c.img.back_colour));
  img_->SetSingleBorder(c.img.border == Border::kSingle);
  ShowLabel(lbl_, c.lbl);
  ShowLabel(love_lbl_, c.love_lbl);
  SyncList(c.lst);
  SyncGiveButton(c.add_com);
  syncing_ = false;
}

void GameWindow::SyncList(const ListBox& list) {
  if (list.entries != shown_entries_) {
    if (const int removed = RemovedEntry(shown_entries_, list.entries); removed >= 0) {
      delete lst_->takeItem(removed);
    } else {
      lst_->clear();
      for (const std::string& entry : list.entries) lst_->addItem(PlainText(entry));
    }
    shown_entries_ = list.entries;
  }
  if (SelectedRow(lst_) != list.selected) {
    if (list.selected >= 0) {
      lst_->setCurrentRow(list.selected, QItemSelectionModel::ClearAndSelect);
    } else {
      lst_->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
  }
  const QColor text = ToQColor(list.text_colour);
  const QColor back = ToQColor(list.back_colour);
  QPalette colours = lst_->palette();
  if (colours.color(QPalette::Text) != text || colours.color(QPalette::Base) != back) {
    colours.setColor(QPalette::Text, text);
    colours.setColor(QPalette::Base, back);
    lst_->setPalette(colours);
  }
  const QString tip = PlainText(list.tooltip);
  if (lst_->toolTip() != tip) lst_->setToolTip(tip);
}

void GameWindow::SyncGiveButton(const Button& button) {
  const QString caption = ShownText(button.caption);
  if (add_com_->text() != caption) add_com_->setText(caption);
  const QColor back = ToQColor(button.back_colour);
  if (back != shown_give_colour_ || add_com_->styleSheet().isEmpty()) {
    shown_give_colour_ = back;
    add_com_->setStyleSheet(GiveButtonStyle(back));
  }
  const QString tip = PlainText(button.tooltip);
  if (add_com_->toolTip() != tip) add_com_->setToolTip(tip);
  if (add_com_->isHidden() == button.visible) add_com_->setVisible(button.visible);
}

void GameWindow::OnStoryChanged(const QString& scene) {
  if (ended_) return;
  // Else the scene shown; after an error, the scene the game started at last, as the
  // scene shown then may be the missing one.
  if (!scene.isEmpty()) {
    preview_.scene = QFile::encodeName(scene).toStdString();
  } else if (!game_->Error() && game_->SceneName()) {
    preview_.scene = *game_->SceneName();
  }
  game_->NewGameAt(preview_.scene, preview_.love);
  AfterEvent();
}

void GameWindow::Fail() {
  const QString message = ShownText(*game_->Error());
  if (watcher_ != nullptr) {
    Sync();
    lbl_->setText(message);  // the author reads it, saves again, and the game restarts
    return;
  }
  StopEvents();
  boxes_.error(this, message);
  game_->Form_Unload();  // the tune stops
  Finish(1);
  close();
}

void GameWindow::StopEvents() {
  ended_ = true;
  if (own_timers_) own_timers_->StopAll();
}

void GameWindow::Finish(int status) {
  exit_status_ = status;
  emit finished(status);
}

void GameWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), back_colour_);
}

void GameWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void GameWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // The window manager's frame came (or went) after the last pass: the outer height that
  // the shape follows is another one now.
  if (layout_ && layout_->OuterSizeChanged()) Form_Resize();
}

void GameWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (layout_ == nullptr || event->type() != QEvent::WindowStateChange) return;
  // Maximized, minimized, full screen or back to normal: what the window manager made
  // of the window's size before counts no more.
  constexpr Qt::WindowStates kSized =
      Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;
  const auto* change = static_cast<QWindowStateChangeEvent*>(event);
  if ((change->oldState() & kSized) != (windowState() & kSized)) layout_->WindowStateChanged();
}

void GameWindow::closeEvent(QCloseEvent* event) {
  if (!ended_) {
    StopEvents();
    game_->Form_Unload();  // nothing is saved
    Finish(0);
  }
  event->accept();
}

}  // namespace velune
