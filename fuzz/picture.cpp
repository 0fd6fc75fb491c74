// Any bytes through the picture loader, which refuses what is larger than it decodes.
#include <QBuffer>

#include "fuzz_input.h"
#include "media/picture_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer device(&bytes);
  device.open(QIODevice::ReadOnly);
  const auto picture = velune::LoadPicture(device);
  if (picture) {
    FUZZ_CHECK(!picture->isNull());
    FUZZ_CHECK(picture->sizeInBytes() <= qsizetype{velune::kLargestPictureMb} * 1024 * 1024);
  }
  return 0;
}
