// The game's core and its window without a screen: scene reading, decoding, the
// scripted player, the picture redraw and the window's layout pass.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "bench_data.h"
#include "game/game_window.h"
#include "game/window_layout.h"
#include "media/fluidsynth_tune_device.h"
#include "media/picture_display.h"
#include "media/picture_loader.h"
#include "story/disk_file_system.h"
#include "story/game.h"
#include "story/line_reader.h"
#include "story/text_decoding.h"
#include "tool/script.h"
#include "tool/scripted_player.h"
#include "tool/virtual_clock.h"

namespace velune::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLongSceneLines = 1'000'000;
constexpr int kRightButton = 2;

// Answers every command and every status query with nothing: no tune.
class SilentMci : public MciPort {
 public:
  int SendString(std::string_view, char* reply, int reply_length) override {
    if (reply != nullptr && reply_length > 0) reply[0] = '\0';
    return 0;
  }
};

class NoPictures : public PicturePort {
 public:
  bool Load(const std::string&) override { return true; }
  void StretchToArea() override {}
};

fs::path LongSceneFolder() { return DataFolder() / "long"; }
fs::path BigPictureFolder() { return DataFolder() / "big"; }

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(rank, values.size() - 1)];
}

// The one-million-line scene read in skipping mode: one right click, then every line on
// its 1 ms tick of the virtual clock, through the pager, as the game reads it.
void SceneSkipping(benchmark::State& state) {
  const std::string folder = LongSceneFolder().string();
  std::int64_t lines = 0;
  for (auto _ : state) {
    DiskFileSystem files;
    NoPictures pictures;
    SilentMci mci;
    VirtualClock clock;
    Game game(GamePorts{files, pictures, mci, clock});
    game.Form_Load(folder);
    game.Form_Activate();
    game.Lbl_MouseDown(kRightButton);
    const bool ok =
        clock.AdvanceTo(static_cast<std::int64_t>(kLongSceneLines) * 2, [&](TimerId id) {
          if (id == TimerId::kTimIve) game.TimIve_Timer();
          return !game.Error();
        });
    if (!ok || game.TimIve().Enabled()) {
      state.SkipWithError("the long scene did not read to its end");
      return;
    }
    lines += static_cast<std::int64_t>(kLongSceneLines);
    game.Form_Unload();
  }
  state.SetItemsProcessed(lines);
}
BENCHMARK(SceneSkipping)->Unit(benchmark::kMillisecond)->MinTime(2);

// The same file read and decoded line by line, as the scene reader reads it, without the
// game around it.
void LineReading(benchmark::State& state) {
  const std::string path = (LongSceneFolder() / "dat" / "00.dat").string();
  const auto size = static_cast<std::int64_t>(fs::file_size(path));
  std::int64_t bytes = 0;
  std::int64_t lines = 0;
  for (auto _ : state) {
    DiskFileSystem files;
    LineReader reader(files.OpenRead(path));
    std::size_t chars = 0;
    while (auto line = reader.ReadLine()) chars += line->size();
    benchmark::DoNotOptimize(chars);
    bytes += size;
    lines += static_cast<std::int64_t>(reader.LinesRead());
  }
  state.SetBytesProcessed(bytes);
  state.SetItemsProcessed(lines);
}
BENCHMARK(LineReading)->Unit(benchmark::kMillisecond)->MinTime(2);

// Code page 932 decoding alone, of the whole file's bytes at once.
void DecodeWholeFile(benchmark::State& state) {
  const std::string bytes = ReadAll(LongSceneFolder() / "dat" / "00.dat");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeCp932(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(DecodeWholeFile)->Unit(benchmark::kMillisecond)->MinTime(2);

// Code page 932 decoding line by line, the lines already split: the decoder's share.
void DecodeLines(benchmark::State& state) {
  const std::string bytes = ReadAll(LongSceneFolder() / "dat" / "00.dat");
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", at);
    lines.emplace_back(bytes.data() + at, end - at);
    at = end + 2;
  }
  LineDecoder decoder(LineDecoder::Encoding::kCp932);
  for (auto _ : state) {
    for (const std::string_view line : lines) benchmark::DoNotOptimize(decoder.Decode(line));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(DecodeLines)->Unit(benchmark::kMillisecond)->MinTime(2);

// A whole scripted playthrough of the bundled story to its third ending.
void Playthrough(benchmark::State& state) {
  std::ifstream script_file(PlaysFolder() / "end3.play");
  const std::vector<Action> script = ParseScript(script_file);
  const std::string folder = SampleFolder().string();
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    if (PlayScript(folder, script, false, out, err) != kRunOk ||
        out.str().find("\"scene\":\"end3\"") == std::string::npos) {
      state.SkipWithError("the playthrough did not reach the third ending");
      return;
    }
  }
}
BENCHMARK(Playthrough)->Unit(benchmark::kMillisecond);

// The tune synthesized as it plays, without a sound output: the CPU that one second of
// the bundled tune costs. The game renders a short tune once, whole, and then plays it
// from memory; this is what playing it would cost otherwise.
void TuneSynthesis(benchmark::State& state) {
  FluidSynthTuneDevice::Options options;
  options.offline = true;
  options.render_ahead = false;
  options.sample_rate = static_cast<double>(state.range(0));
  FluidSynthTuneDevice device(options);
  if (!device.Open((SampleFolder() / "dat" / "bgm.mid").string())) {
    state.SkipWithError("the bundled tune does not open");
    return;
  }
  device.Play();
  if (device.Settle() != FluidSynthTuneDevice::Sound::kSounding) {
    state.SkipWithError("no soundfont to play the tune with");
    return;
  }
  const int frames = static_cast<int>(options.sample_rate);
  std::vector<float> left(static_cast<std::size_t>(frames));
  std::vector<float> right(static_cast<std::size_t>(frames));
  for (auto _ : state) {
    for (int at = 0; at < frames; at += 1024) {
      device.Render(left.data() + at, right.data() + at, std::min(1024, frames - at));
    }
    benchmark::DoNotOptimize(left.data());
  }
  // A second of sound per iteration: its CPU time in ms, over 10, is the share of a core.
}
BENCHMARK(TuneSynthesis)->Arg(44100)->Arg(22050)->Unit(benchmark::kMillisecond);

// The sizes of a drag around a 1280 × 960 client area: 100 heights a pixel apart, each
// with its 4:3 width.
std::vector<QSize> DragSizes() {
  std::vector<QSize> sizes;
  for (int h = 960 - 50; h < 960 + 50; ++h) sizes.emplace_back((h * 4 + 1) / 3, h);
  return sizes;
}

// The picture area as the layout leaves it at a client size: the drawing's size only.
class SizedSurface : public PictureSurface {
 public:
  QSize InnerSize() const override { return size; }
  void ShowDrawing(const QImage& drawing) override { benchmark::DoNotOptimize(drawing.bits()); }
  QSize size;
};

// The picture redraw alone: the 4000 × 3000 picture stretched over the picture area at
// each size of the drag. The area takes 30 of the 40 grid units across, in 4:3, inside
// its one-pixel border.
void PictureRedraw(benchmark::State& state) {
  SizedSurface surface;
  PictureDisplay display(surface);
  if (!display.Load((BigPictureFolder() / "grf" / "big.dat").string())) {
    state.SkipWithError("the big picture does not load");
    return;
  }
  std::vector<double> ms;
  for (auto _ : state) {
    for (const QSize& client : DragSizes()) {
      surface.size = QSize(client.width() * 3 / 4 - 2, client.height() * 3 / 4 - 2);
      QElapsedTimer timer;
      timer.start();
      display.StretchToArea();
      ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
  }
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
}
BENCHMARK(PictureRedraw)->Unit(benchmark::kMillisecond)->Iterations(3);

// The layout pass in the real window, with the picture drawn again and painted: the
// window dragged through the sizes with the 4000 × 3000 picture shown.
void ResizePass(benchmark::State& state) {
  DiskFileSystem files;
  SilentMci mci;
  VirtualClock clock;
  MessageBoxes boxes{[](QWidget*, const QString&) {}, [](QWidget*, const QString&) {}};
  GameWindow window(WindowPorts{files, mci, boxes, &clock});
  if (!window.Start(BigPictureFolder().string())) {
    state.SkipWithError("the window does not start");
    return;
  }
  window.resize(DragSizes().front());
  QCoreApplication::processEvents();
  window.TimerTick(TimerId::kTimIve);  // the picture line
  QCoreApplication::processEvents();
  if (!window.game().PictureName()) {
    state.SkipWithError("the big picture did not load");
    return;
  }
  std::vector<double> ms;
  int passes = 0;
  int laid_out = 0;
  for (auto _ : state) {
    for (const QSize& size : DragSizes()) {
      const int before = window.layout().counts().laid_out;
      QElapsedTimer timer;
      timer.start();
      window.resize(size);
      QCoreApplication::processEvents();
      window.repaint();
      ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      ++passes;
      laid_out += window.layout().counts().laid_out - before;
    }
  }
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
  state.counters["passes_per_size"] = passes == 0 ? 0 : double(laid_out) / passes;
  state.counters["client_w"] = window.width();
  state.counters["client_h"] = window.height();
}
BENCHMARK(ResizePass)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

void WriteData() {
  const fs::path scene = LongSceneFolder() / "dat" / "00.dat";
  if (!fs::exists(scene)) WriteLongScene(LongSceneFolder(), kLongSceneLines);
  WriteBigPictureStory(BigPictureFolder(), 4000, 3000);
}

}  // namespace velune::bench

int main(int argc, char** argv) {
  // The window runs without a screen unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velune::bench::WriteData();
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--write-data") return 0;  // the data only
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
