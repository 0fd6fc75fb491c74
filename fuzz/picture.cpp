// Any bytes through the picture loader, which refuses what is larger than it decodes.
#include <QBuffer>

#include "fuzz_input.h"
#include "media/picture_loader.h"

static void Fuzz(velune::fuzz::FuzzInput& in) {
  QByteArray bytes = QByteArray::fromStdString(in.Rest());
  QBuffer device(&bytes);
  device.open(QIODevice::ReadOnly);
  if (const auto picture = velune::LoadPicture(device)) {
    FUZZ_CHECK(!picture->isNull());
    FUZZ_CHECK(picture->sizeInBytes() <= qsizetype{velune::kLargestPictureMb} * 1024 * 1024);
  }
}
