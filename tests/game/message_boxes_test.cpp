#include "game/message_boxes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>

#include "window_fixture.h"

namespace velune::testing {
namespace {

// Watches for the message box, notes it and presses its OK button.
struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  bool modal = false;
  Qt::TextFormat format = Qt::AutoText;
  QRect frame;
};
std::optional<SeenBox> ShowAndAnswer(const std::function<void()>& show) {
  std::optional<SeenBox> seen;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    watcher.stop();
    seen =
        SeenBox{box->windowTitle(), box->text(),       box->icon(),         box->standardButtons(),
                box->isModal(),     box->textFormat(), box->frameGeometry()};
    box->done(QMessageBox::Ok);
  });
  watcher.start(10);
  show();
  return seen;
}

// The about box shows the text as it is with no icon, the error box with the critical
// one; each is modal, titled Velune, with an OK button only and the text plain.
TEST(MessageBoxesTest, TheAboutAndTheErrorBox) {
  const struct {
    void (*show)(QWidget*, const QString&);
    QString text;
    QMessageBox::Icon icon;
  } boxes[] = {
      {[](QWidget* w, const QString& t) { SystemMessageBoxes().about(w, t); },
       QString::fromUtf8("\n良かったら♪"), QMessageBox::NoIcon},
      {[](QWidget* w, const QString& t) { SystemMessageBoxes().error(w, t); },
       "dat/00.dat, line 3: <b>not</b> found", QMessageBox::Critical},
  };
  for (const auto& expected : boxes) {
    SCOPED_TRACE(expected.text.toStdString());
    QWidget window;
    window.show();
    const auto box = ShowAndAnswer([&] { expected.show(&window, expected.text); });
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, "Velune");
    EXPECT_EQ(box->text, expected.text);
    EXPECT_EQ(box->icon, expected.icon);
    EXPECT_EQ(box->buttons, QMessageBox::Ok);
    EXPECT_TRUE(box->modal);
    EXPECT_EQ(box->format, Qt::PlainText);
  }
}

// Puts a window in its place as a window manager does: only as it maps the window, which
// comes after show().
class PlacesWhenMapped : public QObject {
 public:
  bool eventFilter(QObject* window, QEvent* event) override {
    if (event->type() == QEvent::Expose && !placed_) {
      placed_ = true;
      static_cast<QWindow*>(window)->setPosition(200, 150);
    }
    return false;
  }

 private:
  bool placed_ = false;
};

// An error at the start is reported in a box centred over the window, as the other boxes
// are, though the window manager puts the window in its place only after show().
TEST_F(WindowTest, AnErrorAtTheStartIsReportedOverTheWindow) {
  folder_.Remove("dat/00.dat");
  window_ = std::make_unique<GameWindow>(WindowPorts{files_, mci_, SystemMessageBoxes(), &clock_});
  PlacesWhenMapped window_manager;
  window_->winId();  // the window's handle, to watch before it is shown
  window_->windowHandle()->installEventFilter(&window_manager);
  const auto box = ShowAndAnswer([&] { EXPECT_FALSE(window_->Start(folder_.Path())); });
  ASSERT_TRUE(box.has_value());
  EXPECT_TRUE(box->text.contains("00.dat")) << box->text.toStdString();
  EXPECT_LE((box->frame.center() - window_->frameGeometry().center()).manhattanLength(), 8)
      << "the box lies at " << box->frame.x() << "," << box->frame.y();
}

}  // namespace
}  // namespace velune::testing
