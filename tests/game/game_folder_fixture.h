#pragma once

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>

// Readable failure messages for Qt values.
inline void PrintTo(const QColor& colour, std::ostream* out) {
  *out << colour.name().toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace velune::testing {

// Japanese words as a Japanese Windows editor saves them (code page 932), and as the
// window shows them.
inline constexpr char kRamuneCp932[] = "\x83\x89\x83\x80\x83\x6c";  // ラムネ
inline constexpr char kFuurinCp932[] = "\x95\x97\x97\xe9";          // 風鈴
inline constexpr char kACp932[] = "\x82\xa0";                       // あ

// A game folder written for one test: scene files and the gift list in code page 932
// with CR LF line ends, pictures in any format under grf/NAME.dat.
class GameFolder {
 public:
  GameFolder() { QDir(dir_.path()).mkpath(QStringLiteral("dat")); }

  std::string Path() const { return QFile::encodeName(dir_.path()).toStdString(); }

  // Writes a text file of the game folder, each line ended by CR LF.
  void Lines(const std::string& relative, std::initializer_list<std::string> lines) const {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    Bytes(relative, bytes);
  }
  void Scene(const std::string& name, std::initializer_list<std::string> lines) const {
    Lines("dat/" + name + ".dat", lines);
  }
  void Bytes(const std::string& relative, const std::string& bytes) const {
    const QString path = dir_.filePath(QString::fromStdString(relative));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + relative);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  void Picture(const std::string& name, const QImage& picture, const char* format = "BMP") const {
    QDir(dir_.path()).mkpath(QStringLiteral("grf"));
    picture.save(dir_.filePath(QString::fromStdString("grf/" + name + ".dat")), format);
  }
  void Remove(const std::string& relative) const {
    QFile::remove(dir_.filePath(QString::fromStdString(relative)));
  }

 private:
  QTemporaryDir dir_;
};

// A picture of two halves: blue on the left, green on the right.
inline QImage TwoHalves(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.setPixel(x, y, x < width / 2 ? qRgb(0, 0, 255) : qRgb(0, 255, 0));
    }
  }
  return picture;
}

inline QImage OneColour(int width, int height, QRgb colour) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(colour);
  return picture;
}

}  // namespace velune::testing
