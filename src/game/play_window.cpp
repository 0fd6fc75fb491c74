// The game window's program loop, for the game and for velune-tool play.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>
#include <memory>
#endif

#include "game/game_window.h"
#include "game/play_window.h"
#include "media/system_mci.h"
#include "story/disk_file_system.h"

namespace {

// The folder where the program really lies, links followed, as the system spells it.
std::string ProgramFolder() {
  const QString program = QCoreApplication::applicationFilePath();
  const QString real = QFileInfo(program).canonicalFilePath();
  return QFile::encodeName(QFileInfo(real.isEmpty() ? program : real).absolutePath()).toStdString();
}

// Where the window cannot open for want of a screen, say so before Qt gives up.
bool NoScreen() {
#if defined(_WIN32) || defined(__APPLE__)
  return false;
#else
  return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
         qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
}

#ifndef _WIN32
// The system asks the program to end (SIGTERM: a shutdown, a logout, a kill): the window
// closes as when the player closes it, so the tune stops and the window goes as at every
// close. The signal only writes a byte; the window's thread reads it and closes the window.
int term_sockets[2] = {-1, -1};

extern "C" void OnTerm(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(term_sockets[1], &byte, 1);
}

class CloseOnTerm {
 public:
  explicit CloseOnTerm(QWidget& window) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, term_sockets) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(term_sockets[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, &window, [&window] {
      char byte;
      [[maybe_unused]] const ssize_t got = read(term_sockets[0], &byte, 1);
      window.close();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerm;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &before_);
  }
  ~CloseOnTerm() {
    if (!notifier_) return;
    sigaction(SIGTERM, &before_, nullptr);
    notifier_.reset();
    for (int& socket : term_sockets) {
      close(socket);
      socket = -1;
    }
  }

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
  struct sigaction before_ = {};
};
#endif

}  // namespace

namespace velune {

int PlayInWindow(int argc, char** argv, const std::optional<std::string>& game_folder) {
  if (NoScreen()) {
    std::fputs(
        "velune: there is no display to open the game window on (DISPLAY and WAYLAND_DISPLAY "
        "are not set).\nTo play without a screen, use the scripted player: velune-tool run "
        "GAME_DIR [SCRIPT]\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("org.velune.Velune"));
  app.setQuitOnLastWindowClosed(false);  // the window says when the program ends

  DiskFileSystem files;
  const auto mci = CreateSystemMci();
  GameWindow window({files, *mci, SystemMessageBoxes()});
  QObject::connect(&window, &GameWindow::finished, &app,
                   [](int status) { QCoreApplication::exit(status); });
#ifndef _WIN32
  const CloseOnTerm close_on_term(window);
#endif
  if (!window.Start(game_folder ? *game_folder : ProgramFolder())) return window.ExitStatus();
  return app.exec();
}

}  // namespace velune
