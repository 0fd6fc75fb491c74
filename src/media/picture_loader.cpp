#include "media/picture_loader.h"

#include <QImageReader>
#include <QString>

namespace velune {

std::optional<QImage> LoadPicture(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  return image;
}

}  // namespace velune
