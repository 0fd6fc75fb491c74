#include "media/picture_loader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "test_files.h"

namespace velune {
namespace {

std::optional<QImage> FromBytes(const std::string& bytes) {
  QByteArray data = QByteArray::fromStdString(bytes);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  return LoadPicture(buffer);
}

// From a file or from bytes, the same picture.
TEST(PictureLoader, TheFormatIsToldFromTheContentNotTheName) {
  const testing::ScratchFolder folder("velune-pictures");
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(qRgb(255, 255, 0));
  for (const char* format : {"BMP", "JPG", "PNG"}) {
    SCOPED_TRACE(format);
    const std::string path = folder.PathOf(std::string("room.") + format + ".dat");
    ASSERT_TRUE(picture.save(QString::fromStdString(path), format));
    const auto loaded = LoadPicture(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), QSize(40, 30));
    const QColor middle = loaded->pixelColor(20, 15);
    EXPECT_GT(middle.red(), 240);
    EXPECT_GT(middle.green(), 240);
    EXPECT_LT(middle.blue(), 16);
    const auto from_bytes = FromBytes(testing::ReadFile(path));
    ASSERT_TRUE(from_bytes);
    EXPECT_EQ(*from_bytes, *loaded);
  }
  const auto loaded = LoadPicture(folder.Write("gif.dat", testing::RedGif()));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->size(), QSize(4, 3));
  EXPECT_EQ(loaded->pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(FromBytes(testing::RedGif()), *loaded);
}

TEST(PictureLoader, FailsOnMissingFilesAndOnWhatIsNotAPicture) {
  const testing::ScratchFolder folder("velune-pictures");
  EXPECT_FALSE(LoadPicture(folder.PathOf("missing.dat")));
  EXPECT_FALSE(LoadPicture(folder.Write("text.dat", "雨が降っていた。")));
  EXPECT_FALSE(FromBytes("雨が降っていた。"));
  EXPECT_FALSE(LoadPicture(folder.folder.string()));
}

}  // namespace
}  // namespace velune
