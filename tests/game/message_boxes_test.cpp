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

TEST(MessageBoxesTest, TheAboutBoxIsModalWithOkOnlyAndNoIcon) {
  QWidget window;
  window.show();
  const SeenBox box = ShowAndAnswer(
      [&] { SystemMessageBoxes().about(&window, QString::fromUtf8("\n良かったら♪")); });
  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.title, "Velune");
  EXPECT_EQ(box.text, QString::fromUtf8("\n良かったら♪"));
  EXPECT_EQ(box.icon, QMessageBox::NoIcon);
  EXPECT_EQ(box.buttons.size(), 1);
  EXPECT_EQ(box.standard, QMessageBox::Ok);
  EXPECT_TRUE(box.modal);
  EXPECT_EQ(box.format, Qt::PlainText);
}

TEST(MessageBoxesTest, TheErrorBoxNamesTheErrorAsPlainText) {
  QWidget window;
  window.show();
  const SeenBox box = ShowAndAnswer(
      [&] { SystemMessageBoxes().error(&window, "dat/00.dat, line 3: <b>not</b> found"); });
  ASSERT_TRUE(box.seen);
  EXPECT_EQ(box.title, "Velune");
  EXPECT_EQ(box.text, "dat/00.dat, line 3: <b>not</b> found");
  EXPECT_EQ(box.format, Qt::PlainText);
  EXPECT_EQ(box.standard, QMessageBox::Ok);
  EXPECT_TRUE(box.modal);
}

}  // namespace
}  // namespace velune
