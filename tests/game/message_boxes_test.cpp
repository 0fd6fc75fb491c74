#include "game/message_boxes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "window_test.h"

namespace velune::testing {
namespace {

struct SeenBox {
  QString what;  // title, text, icon, buttons, modal, text format
  QRect frame;
};

// Watches for the message box, notes it and answers it.
std::optional<SeenBox> ShowAndAnswer(const std::function<void()>& show) {
  std::optional<SeenBox> seen;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    watcher.stop();
    seen = {QStringList{box->windowTitle(), box->text(), QString::number(box->icon()),
                        QString::number(box->standardButtons()), QString::number(box->isModal()),
                        QString::number(box->textFormat())}
                .join('|'),
            box->frameGeometry()};
    box->done(QMessageBox::Ok);
  });
  watcher.start(10);
  show();
  return seen;
}

// The about box shows the text as it is with no icon, the error box with the critical
// one; each is modal, titled Velune, with an OK button only and the text plain.
TEST(MessageBoxesTest, TheAboutAndTheErrorBox) {
  const QString about = QString::fromUtf8("\n良かったら♪"), error = "line 3: <b>not</b> found";
  const QString rest = QString("|%1|1|%2").arg(int(QMessageBox::Ok)).arg(int(Qt::PlainText));
  QWidget window;
  window.show();
  const auto shown_about = ShowAndAnswer([&] { SystemMessageBoxes().about(&window, about); });
  const auto shown_error = ShowAndAnswer([&] { SystemMessageBoxes().error(&window, error); });
  ASSERT_TRUE(shown_about && shown_error);
  EXPECT_EQ(shown_about->what,
            "Velune|" + about + "|" + QString::number(QMessageBox::NoIcon) + rest);
  EXPECT_EQ(shown_error->what,
            "Velune|" + error + "|" + QString::number(QMessageBox::Critical) + rest);
}

// An error at the start is reported in a box centred over the window, as the other boxes
// are, though the window manager puts the window in its place only after show().
TEST_F(WindowTest, AnErrorAtTheStartIsReportedOverTheWindow) {
  folder_.Remove("dat/00.dat");
  window_ = std::make_unique<GameWindow>(WindowPorts{files_, mci_, SystemMessageBoxes(), &clock_});
  window_->winId();     // the window's handle, to watch before it is shown
  bool placed = false;  // as a window manager does: only as it maps the window, after show()
  const EventWatcher window_manager(window_->windowHandle(), [&](QEvent* event) {
    if (event->type() == QEvent::Expose && !std::exchange(placed, true)) {
      window_->windowHandle()->setPosition(200, 150);
    }
  });
  const auto box = ShowAndAnswer([&] { EXPECT_FALSE(window_->Start(folder_.Path())); });
  ASSERT_TRUE(box.has_value());
  EXPECT_TRUE(box->what.contains("00.dat")) << box->what.toStdString();
  EXPECT_LE((box->frame.center() - window_->frameGeometry().center()).manhattanLength(), 8)
      << "the box lies at " << box->frame.x() << "," << box->frame.y();
}

}  // namespace
}  // namespace velune::testing
