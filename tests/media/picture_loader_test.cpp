#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "media/picture_loader.h"
#include "tiny_gif.h"

namespace velune {
namespace {

class PictureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder =
        std::filesystem::temp_directory_path() / ("velune-pictures-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::string Path(const std::string& name) const { return (folder / name).string(); }

  std::filesystem::path folder;
};

TEST_F(PictureLoaderTest, TheFormatIsToldFromTheContentNotTheName) {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  for (const char* format : {"BMP", "JPG", "PNG"}) {
    const std::string path = Path(std::string("room.") + format + ".dat");
    ASSERT_TRUE(picture.save(QString::fromStdString(path), format)) << format;
    const auto loaded = LoadPicture(path);
    ASSERT_TRUE(loaded) << format;
    EXPECT_EQ(loaded->size(), QSize(40, 30)) << format;
  }
  std::ofstream(Path("gif.dat"), std::ios::binary) << testing::RedGif();
  const auto loaded = LoadPicture(Path("gif.dat"));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->size(), QSize(4, 3));
  EXPECT_EQ(loaded->pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(PictureLoaderTest, FailsOnMissingFilesAndOnWhatIsNotAPicture) {
  EXPECT_FALSE(LoadPicture(Path("missing.dat")));
  std::ofstream(Path("text.dat")) << "雨が降っていた。";
  EXPECT_FALSE(LoadPicture(Path("text.dat")));
  EXPECT_FALSE(LoadPicture(folder.string()));
}

}  // namespace
}  // namespace velune
