#include "game/message_boxes.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace velune {
namespace {

struct SeenBox {
  bool seen = false;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QAbstractButton*> buttons;
  QMessageBox::StandardButtons standard;
  bool modal = false;
  Qt::TextFormat format = Qt::AutoText;
};

// Watches for the message box, notes what it shows and presses its OK button.
SeenBox ShowAndAnswer(const std::function<void()>& show) {
  SeenBox seen;
  QTimer watcher;
  watcher.setInterval(10);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    watcher.stop();
    seen = {true,           box->windowTitle(),     box->text(),    box->icon(),
            box->buttons(), box->standardButtons(), box->isModal(), box->textFormat()};
    box->button(QMessageBox::Ok)->click();
  });
  watcher.start();
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
    const SeenBox box = ShowAndAnswer([&] { expected.show(&window, expected.text); });
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.title, "Velune");
    EXPECT_EQ(box.text, expected.text);
    EXPECT_EQ(box.icon, expected.icon);
    EXPECT_EQ(box.buttons.size(), 1);
    EXPECT_EQ(box.standard, QMessageBox::Ok);
    EXPECT_TRUE(box.modal);
    EXPECT_EQ(box.format, Qt::PlainText);
  }
}

}  // namespace
}  // namespace velune
