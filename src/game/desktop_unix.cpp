// Linux and the other Unix desktops: X11 or Wayland, and SIGTERM to end a program.
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

#include "game/desktop.h"

namespace velune {
namespace {

// The signal handler may only write a byte; the window's thread reads it and closes.
int term_sockets[2] = {-1, -1};

extern "C" void OnTerm(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(term_sockets[1], &byte, 1);
}

}  // namespace

bool NoScreen() {
  return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
         qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void HoldRequestToEnd() {
  if (term_sockets[0] >= 0) return;
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, term_sockets) != 0) return;
  struct sigaction action = {};
  action.sa_handler = OnTerm;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
}

std::unique_ptr<QObject> CloseOnRequestToEnd(QWidget& window) {
  if (term_sockets[0] < 0) return nullptr;
  auto notifier = std::make_unique<QSocketNotifier>(term_sockets[0], QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, &window, [&window] {
    char byte;
    [[maybe_unused]] const ssize_t got = read(term_sockets[0], &byte, 1);
    window.close();
  });
  return notifier;
}

}  // namespace velune
