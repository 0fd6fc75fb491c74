#include "media/picture_loader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QString>

namespace velune {

std::optional<QImage> LoadPicture(const std::string& path) {
  const QString name = QString::fromStdString(path);
  // A pipe would wait for a writer for ever, and a device may never end.
  if (!QFileInfo(name).isFile()) return std::nullopt;
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return LoadPicture(file);
}

std::optional<QImage> LoadPicture(QIODevice& device) {
  QImageReader reader(&device);
  reader.setDecideFormatFromContent(true);
  reader.setAllocationLimit(kLargestPictureMb);
  QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  return image;
}

void LoadPictureFormats() {
  // Asked of nothing, the reader asks every format plug-in in turn, so loads them all.
  QBuffer nothing;
  nothing.open(QIODevice::ReadOnly);
  QImageReader reader(&nothing);
  reader.setDecideFormatFromContent(true);
  reader.canRead();
}

}  // namespace velune
