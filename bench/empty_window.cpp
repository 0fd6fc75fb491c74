// The least a Qt window costs on this machine: a red window with one line of Japanese
// text, nothing of the game, no tune. It measures as velune-bench-window does, from the
// process's exec to show() returned, the window mapped and the text painted, and prints
// one JSON line.
#include <time.h>
#include <unistd.h>

#include "process_start.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using velune::bench::MonotonicNs;

class ClockedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    const bool on_window =
        window != nullptr && (receiver == window || receiver == window->windowHandle());
    if (event->type() == QEvent::Expose && on_window && mapped_ns == 0) mapped_ns = MonotonicNs();
    if (event->type() == QEvent::Paint && receiver == label) painted_ = true;
    const bool result = QApplication::notify(receiver, event);
    if (on_window && painted_ && text_ns == 0 &&
        (event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest)) {
      text_ns = MonotonicNs();
    }
    return result;
  }

  QWidget* window = nullptr;
  QWidget* label = nullptr;
  std::int64_t mapped_ns = 0;
  std::int64_t text_ns = 0;

 private:
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t start_ns = velune::bench::ProcessStartNs(argv);
  if (start_ns < 0) return 1;
  const std::int64_t main_ns = MonotonicNs();
  ClockedApplication app(argc, argv);
  QWidget window;
  window.setStyleSheet(QStringLiteral("background: red"));
  auto* layout = new QVBoxLayout(&window);
  auto* label = new QLabel(QStringLiteral("夏休みも、あと少しで終わる。"), &window);
  layout->addWidget(label);
  window.resize(640, 480);
  app.window = &window;
  app.label = label;
  window.show();
  const std::int64_t shown_ns = MonotonicNs();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (app.text_ns == 0) return;
    std::printf("{\"main_ms\":%.3f,\"shown_ms\":%.3f,\"mapped_ms\":%.3f,\"first_text_ms\":%.3f}\n",
                static_cast<double>(main_ns - start_ns) / 1e6,
                static_cast<double>(shown_ns - start_ns) / 1e6,
                static_cast<double>(app.mapped_ns - start_ns) / 1e6,
                static_cast<double>(app.text_ns - start_ns) / 1e6);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
  poll.start(5);
  return app.exec();
}
