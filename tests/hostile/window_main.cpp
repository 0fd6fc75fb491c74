// The window checks need one QApplication for the whole run, and no screen. Started with
// --play-through FOLDER, the program plays the bundled story through in the window from
// FOLDER instead, for the test that watches it under strace.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "window_playthrough.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3 && std::strcmp(argv[1], "--play-through") == 0) {
    QApplication app(argc, argv);
    return velune::testing::PlayThroughInWindow(argv[2]);
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
