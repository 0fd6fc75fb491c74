#include "bench_data.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "story/line_kind.h"
#include "story/text_decoding.h"

namespace velune::bench {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

// The raw lines of the bundled story's scenes that are story text.
std::vector<std::string> SampleTextLines() {
  std::vector<std::string> lines;
  for (const auto& entry : fs::directory_iterator(SampleFolder() / "dat")) {
    const std::string name = entry.path().filename().string();
    if (name == "lst.dat" || entry.path().extension() != ".dat") continue;
    std::istringstream scene(ReadAll(entry.path()));
    std::string line;
    while (std::getline(scene, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && ClassifyLine(DecodeCp932(line)) == LineKind::kText) {
        lines.push_back(line);
      }
    }
  }
  if (lines.empty()) throw std::runtime_error("the bundled story has no text lines");
  return lines;
}

}  // namespace

fs::path SampleFolder() { return VELUNE_SAMPLE_DIR; }
fs::path PlaysFolder() { return VELUNE_PLAYS_DIR; }

fs::path DataFolder() {
  if (const char* dir = std::getenv("VELUNE_BENCH_DATA"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return fs::temp_directory_path() / "velune-bench";
}

fs::path WriteLongScene(const fs::path& folder, std::size_t lines) {
  const fs::path scene = folder / "dat" / "00.dat";
  WriteAll(folder / "dat" / "lst.dat", ReadAll(SampleFolder() / "dat" / "lst.dat"));
  const std::vector<std::string> text = SampleTextLines();
  std::string bytes;
  bytes.reserve(lines * 40);
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines; ++i) {
    if (i % 5 == 4) {
      bytes += "-p";
    } else {
      bytes += text[next];
      next = (next + 1) % text.size();
    }
    bytes += "\r\n";
  }
  WriteAll(scene, bytes);
  return scene;
}

void WriteBigPictureStory(const fs::path& folder, int width, int height) {
  WriteAll(folder / "dat" / "lst.dat", ReadAll(SampleFolder() / "dat" / "lst.dat"));
  WriteAll(folder / "dat" / "00.dat", ">img>big\r\nline one\r\nline two\r\n-p\r\n");
  const fs::path picture = folder / "grf" / "big.dat";
  if (fs::exists(picture)) return;
  // A photograph's worth of detail: gradients and circles, so the JPEG is not trivial.
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  QRadialGradient sky(width / 2.0, height / 3.0, width / 1.5);
  sky.setColorAt(0, QColor(250, 220, 160));
  sky.setColorAt(1, QColor(30, 60, 140));
  painter.fillRect(image.rect(), sky);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 400; ++i) {
    const int x = (i * 7919) % width;
    const int y = (i * 104729) % height;
    const int r = 10 + (i * 31) % 120;
    painter.setBrush(QColor::fromHsv((i * 37) % 360, 160, 230, 140));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(x, y), r, r);
  }
  painter.end();
  fs::create_directories(picture.parent_path());
  if (!image.save(QString::fromStdString(picture.string()), "JPEG", 90)) {
    throw std::runtime_error("cannot write " + picture.string());
  }
}

}  // namespace velune::bench
