// The game window's program loop, for the game and for velune-tool play.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

#include "game/desktop.h"
#include "game/game_window.h"
#include "game/play_window.h"
#include "media/system_mci.h"
#include "story/disk_file_system.h"
#include "story/translation.h"

namespace {

// The folder where the program really lies, links followed, as the system spells it.
std::string ProgramFolder() {
  const QString program = QCoreApplication::applicationFilePath();
  const QString real = QFileInfo(program).canonicalFilePath();
  return QFile::encodeName(QFileInfo(real.isEmpty() ? program : real).absolutePath()).toStdString();
}

}  // namespace

namespace velune {

int PlayInWindow(int argc, char** argv, const std::optional<std::string>& game_folder,
                 const Preview& preview) {
  if (NoScreen()) {
    std::fputs(Tr("window",
                  "velune: there is no display to open the game window on (DISPLAY and "
                  "WAYLAND_DISPLAY are not set).\nTo play without a screen, use the scripted "
                  "player: velune-tool run GAME_DIR [SCRIPT]\n")
                   .Text()
                   .c_str(),
               stderr);
    return 1;
  }
  HoldRequestToEnd();
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.velune.Velune"));
  app.setQuitOnLastWindowClosed(false);  // the window says when the program ends
  // Qt's own words (the message box's OK button) in the language of ours.
  QTranslator qt_words;
  if (LanguageInUse() == Language::kJapanese &&
      qt_words.load(QStringLiteral("qtbase_ja"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&qt_words);
  }

  DiskFileSystem files;
  const auto mci = CreateSystemMci();
  GameWindow window({files, *mci, SystemMessageBoxes()});
  QObject::connect(&window, &GameWindow::finished, &app,
                   [](int status) { QCoreApplication::exit(status); });
  const auto close_on_request = CloseOnRequestToEnd(window);
  if (!window.Start(game_folder ? *game_folder : ProgramFolder(), preview))
    return window.ExitStatus();
  return app.exec();
}

}  // namespace velune
