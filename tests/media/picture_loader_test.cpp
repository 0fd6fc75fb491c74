#include "media/picture_loader.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "common/story_folder.h"

namespace velune {
namespace {

// Told by its content, not its name; the same from bytes; nothing from what is no picture.
TEST(PictureLoader, ReadsPicturesByTheirContentAndNothingElse) {
  const testing::ScratchFolder folder;
  const std::string bitmap = testing::BitmapBytes(4, 3, 0xFFFF00);
  const auto loaded = LoadPicture(folder.Bytes("room.png.dat", bitmap));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->pixelColor(2, 1), QColor(255, 255, 0));
  QByteArray data = QByteArray::fromStdString(bitmap);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  EXPECT_EQ(LoadPicture(buffer), *loaded);
  for (const std::string& path : {folder.At("missing.dat").string(), folder.Path(),
                                  folder.Bytes("text.dat", "雨が降っていた。")}) {
    EXPECT_FALSE(LoadPicture(path)) << path;
  }
}

}  // namespace
}  // namespace velune
