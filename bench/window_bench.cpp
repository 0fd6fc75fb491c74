// The game window as a player starts it, with clocks on it. Without options it measures
// the start-up: from the start of the process (its exec) to the window mapped, its first
// paint, the first scene line (the picture) and the first story text on screen, then the
// peak resident memory once the tune has played for a while. With --idle page or --idle
// prompt it measures the CPU time and the wake-ups of the whole program while the first
// full page waits for a click, or while the first gift prompt waits for a present.
// Prints one JSON line.
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include "process_start.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "game/game_window.h"
#include "media/fluidsynth_tune_device.h"
#include "media/mci_interpreter.h"
#include "story/disk_file_system.h"
#include "story/game.h"

namespace {

using velune::bench::MonotonicNs;

double CpuSeconds() {
  timespec used{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
  return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) / 1e9;
}

std::string StatusField(const std::filesystem::path& status, const std::string& name) {
  std::ifstream file(status);
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind(name + ":", 0) == 0) {
      std::string value = line.substr(name.size() + 1);
      value.erase(0, value.find_first_not_of(" \t"));
      return value;
    }
  }
  return {};
}

// Context switches of every thread of the process, by thread.
struct ThreadSwitches {
  std::string name;
  long voluntary = 0;
  long involuntary = 0;
};

std::map<std::string, ThreadSwitches> Threads() {
  std::map<std::string, ThreadSwitches> threads;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    ThreadSwitches t;
    std::ifstream comm(task.path() / "comm");
    std::getline(comm, t.name);
    t.voluntary = std::atol(StatusField(task.path() / "status", "voluntary_ctxt_switches").c_str());
    t.involuntary =
        std::atol(StatusField(task.path() / "status", "nonvoluntary_ctxt_switches").c_str());
    threads[task.path().filename().string()] = t;
  }
  return threads;
}

struct Usage {
  std::int64_t at_ns = MonotonicNs();
  double cpu_s = CpuSeconds();
  std::map<std::string, ThreadSwitches> threads = Threads();
};

double PeakRssMb() {
  return std::atof(StatusField("/proc/self/status", "VmHWM").c_str()) / 1024.0;  // kB
}

// The folder where the program really lies, as the game's own program finds it.
std::string ProgramFolder() {
  const QString program = QCoreApplication::applicationFilePath();
  const QString real = QFileInfo(program).canonicalFilePath();
  return QFile::encodeName(QFileInfo(real.isEmpty() ? program : real).absolutePath()).toStdString();
}

class SilentMci : public velune::MciPort {
 public:
  int SendString(std::string_view, char* reply, int reply_length) override {
    if (reply != nullptr && reply_length > 0) reply[0] = '\0';
    return 0;
  }
};

// Notes when the window's paints reach the screen: at the end of each expose or update
// of the window, what it painted meanwhile counts as shown.
class ClockedApplication : public QApplication {
 public:
  using QApplication::QApplication;

  void Watch(velune::GameWindow* window) {
    window_ = window;
    lbl_ = window->findChild<QWidget*>(QStringLiteral("Lbl"));
    img_ = window->findChild<QWidget*>(QStringLiteral("Img"));
  }

  bool notify(QObject* receiver, QEvent* event) override {
    if (window_ == nullptr) return QApplication::notify(receiver, event);
    const QEvent::Type type = event->type();
    const bool on_window = receiver == window_ || receiver == window_->windowHandle();
    if (type == QEvent::Expose && on_window && mapped_ns == 0 &&
        window_->windowHandle()->isExposed()) {
      mapped_ns = MonotonicNs();
    }
    if (type == QEvent::Paint) {
      if (receiver == window_) window_painted_ = true;
      if (receiver == img_ && window_->game().PictureName()) picture_painted_ = true;
      if (receiver == lbl_ && window_->game().PageLines() > 0) text_painted_ = true;
    }
    const bool outer =
        on_window && depth_ == 0 && (type == QEvent::Expose || type == QEvent::UpdateRequest);
    if (outer) ++depth_;
    const bool result = QApplication::notify(receiver, event);
    if (outer) {
      --depth_;
      const std::int64_t now = MonotonicNs();
      if (window_painted_ && first_paint_ns == 0) first_paint_ns = now;
      if (picture_painted_ && picture_ns == 0) picture_ns = now;
      if (text_painted_ && text_ns == 0) text_ns = now;
    }
    return result;
  }

  std::int64_t mapped_ns = 0;
  std::int64_t first_paint_ns = 0;
  std::int64_t picture_ns = 0;
  std::int64_t text_ns = 0;

 private:
  velune::GameWindow* window_ = nullptr;
  QWidget* lbl_ = nullptr;
  QWidget* img_ = nullptr;
  bool window_painted_ = false;
  bool picture_painted_ = false;
  bool text_painted_ = false;
  int depth_ = 0;
};

void RightClick(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::RightButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

double Ms(std::int64_t ns) { return static_cast<double>(ns) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  const std::int64_t start_ns = velune::bench::ProcessStartNs(argv);
  if (start_ns < 0) return 1;
  const std::int64_t main_ns = MonotonicNs();

  std::string idle;  // empty: the start-up
  double seconds = 10;
  bool music = true;
  velune::FluidSynthTuneDevice::Options sound_options =
      velune::FluidSynthTuneDevice::WindowOptions();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--idle" && i + 1 < argc) {
      idle = argv[++i];
    } else if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (arg == "--no-music") {
      music = false;
    } else if (arg == "--soundfont" && i + 1 < argc) {
      sound_options.soundfont = argv[++i];
    } else if (arg == "--setting" && i + 1 < argc) {
      // A FluidSynth setting, NAME=VALUE, to see what it changes.
      const std::string setting = argv[++i];
      const auto equals = setting.find('=');
      sound_options.settings.emplace_back(
          setting.substr(0, equals), equals == std::string::npos ? "" : setting.substr(equals + 1));
    } else {
      std::fprintf(stderr,
                   "usage: velune-bench-window [--idle page|prompt] [--seconds S] [--no-music] "
                   "[--soundfont FILE] [--setting NAME=VALUE]...\n");
      return 2;
    }
  }

  ClockedApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);

  velune::DiskFileSystem files;
  std::unique_ptr<velune::FluidSynthTuneDevice> device;
  std::unique_ptr<velune::MciPort> mci;
  if (music) {
    device = std::make_unique<velune::FluidSynthTuneDevice>(sound_options);
    mci = std::make_unique<velune::MciInterpreter>(*device);
  } else {
    mci = std::make_unique<SilentMci>();
  }
  velune::GameWindow window({files, *mci, velune::SystemMessageBoxes()});
  app.Watch(&window);
  QObject::connect(&window, &velune::GameWindow::finished, &app,
                   [](int status) { QCoreApplication::exit(status); });
  if (!window.Start(ProgramFolder())) return window.ExitStatus();
  const std::int64_t started_ns = MonotonicNs();

  std::ostringstream out;
  out << "{\"music\":" << (music ? "true" : "false");
  const auto sound = [&] {
    if (!device) return;
    const auto state = device->Settle();
    const auto m = device->LastMeasurements();
    out << ",\"sounding\":"
        << (state == velune::FluidSynthTuneDevice::Sound::kSounding ? "true" : "false")
        << ",\"driver\":\"" << m.driver << "\",\"synth_ms\":" << m.synth_ms
        << ",\"soundfont_ms\":" << m.soundfont_ms << ",\"render_ms\":" << m.render_ms
        << ",\"output_ms\":" << m.output_ms;
  };
  const auto finish = [&] {
    out << ",\"peak_rss_mb\":" << PeakRssMb() << "}\n";
    std::fputs(out.str().c_str(), stdout);
    std::fflush(stdout);
    window.close();
  };

  QTimer poll;
  poll.setInterval(20);
  std::unique_ptr<Usage> before;
  QTimer measure;
  measure.setSingleShot(true);
  const auto measure_now = [&](double span_s) {
    before = std::make_unique<Usage>();
    measure.start(static_cast<int>(span_s * 1000));
  };
  QObject::connect(&measure, &QTimer::timeout, [&] {
    const Usage after;
    const double span = static_cast<double>(after.at_ns - before->at_ns) / 1e9;
    const std::string main_thread = std::to_string(getpid());
    long voluntary = 0;
    long involuntary = 0;
    long main_voluntary = 0;
    std::ostringstream per_thread;
    for (const auto& [tid, t] : after.threads) {
      const auto was = before->threads.find(tid);
      const long v = t.voluntary - (was == before->threads.end() ? 0 : was->second.voluntary);
      const long n = t.involuntary - (was == before->threads.end() ? 0 : was->second.involuntary);
      voluntary += v;
      involuntary += n;
      if (tid == main_thread) main_voluntary = v;
      per_thread << (per_thread.tellp() > 0 ? "," : "") << "\"" << t.name << "/" << tid
                 << "\":" << static_cast<double>(v) / span;
    }
    out << ",\"idle\":\"" << idle << "\",\"seconds\":" << span
        << ",\"cpu_percent\":" << 100.0 * (after.cpu_s - before->cpu_s) / span
        << ",\"wakeups_per_s\":" << static_cast<double>(voluntary) / span
        << ",\"main_wakeups_per_s\":" << static_cast<double>(main_voluntary) / span
        << ",\"preemptions_per_s\":" << static_cast<double>(involuntary) / span << ",\"threads\":{"
        << per_thread.str() << "}";
    finish();
  });

  const velune::Game& game = window.game();
  const auto page_waits = [&] { return game.TimIve().Enabled() && game.TimIve().Interval() == 0; };
  if (idle.empty()) {
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (app.text_ns == 0) return;
      poll.stop();
      out << ",\"main_ms\":" << Ms(main_ns - start_ns)
          << ",\"started_ms\":" << Ms(started_ns - start_ns)
          << ",\"mapped_ms\":" << Ms(app.mapped_ns - start_ns)
          << ",\"first_paint_ms\":" << Ms(app.first_paint_ns - start_ns)
          << ",\"first_line_ms\":" << Ms(app.picture_ns - start_ns)
          << ",\"first_text_ms\":" << Ms(app.text_ns - start_ns);
      sound();
      QTimer::singleShot(2000, &app, finish);  // the tune plays a while: its buffers fill
    });
  } else if (idle == "page") {
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!page_waits()) return;
      poll.stop();
      sound();
      QTimer::singleShot(1000, &app, [&] { measure_now(seconds); });
    });
  } else if (idle == "prompt") {
    QWidget* lbl = window.findChild<QWidget*>(QStringLiteral("Lbl"));
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (game.TimQst().Enabled()) {
        poll.stop();
        sound();
        // The prompt waits five seconds; the measurement ends before it does.
        measure_now(std::min(seconds, 4.0));
      } else if (page_waits()) {
        RightClick(lbl);  // on through the story to its first present
      }
    });
  } else {
    std::fprintf(stderr, "velune-bench-window: --idle takes page or prompt\n");
    return 2;
  }
  poll.start();
  return app.exec();
}
