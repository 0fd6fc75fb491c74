// The faults that hostile folders and fuzzing found, each kept from coming back.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <limits>

#include "hostile_folder.h"
#include "media/picture_loader.h"
#include "story/game_error.h"
#include "story/line_reader.h"
#include "story/love_points.h"

namespace velune::testing {
namespace {

// Counts what the reader takes, so that a refused line is seen to stop the reading.
class CountedSource : public ByteSource {
 public:
  CountedSource(std::string bytes, std::size_t* taken) : bytes_(std::move(bytes)), taken_(taken) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    *taken_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
  std::size_t* taken_;
};

TEST(LongLines, ALineOfTheLongestLengthIsReadAndOneByteMoreIsRefused) {
  std::size_t taken = 0;
  LineReader fits(
      std::make_unique<CountedSource>("a\r\n" + std::string(kLongestLine, 'x') + "\r\nb", &taken));
  EXPECT_EQ(fits.ReadLine(), "a");
  EXPECT_EQ(fits.ReadLine()->size(), kLongestLine);
  EXPECT_EQ(fits.ReadLine(), "b");

  LineReader too_long(std::make_unique<CountedSource>(
      "a\r\nb\r\n" + std::string(kLongestLine + 1, 'x') + "\r\nc", &taken));
  too_long.ReadLine();
  too_long.ReadLine();
  try {
    too_long.ReadLine();
    FAIL() << "an over-long line was read";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "line 3 is longer than 1048576 bytes, too long for a story line");
  }
}

TEST(LongLines, AFileWithoutLineEndsIsReadNoFurtherThanTheLongestLine) {
  std::size_t taken = 0;
  LineReader reader(std::make_unique<CountedSource>(std::string(64 << 20, '\0'), &taken));
  EXPECT_THROW(reader.ReadLine(), std::runtime_error);
  EXPECT_LE(taken, kLongestLine + 2 * 64 * 1024);
}

// Files whose names hold "bad" give their bytes and then fail, as a bad sector does.
class BadSectorFiles : public MemoryFiles {
 public:
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
    if (path.find("bad") == std::string::npos) return MemoryFiles::OpenRead(path);
    class Failing : public ByteSource {
     public:
      explicit Failing(std::string bytes) : bytes_(std::move(bytes)) {}
      std::size_t Read(char* buffer, std::size_t size) override {
        if (bytes_.empty()) throw std::runtime_error("the file cannot be read");
        const std::size_t n = std::min(size, bytes_.size());
        std::memcpy(buffer, bytes_.data(), n);
        bytes_.erase(0, n);
        return n;
      }

     private:
      std::string bytes_;
    };
    return std::make_unique<Failing>(*Find(path));
  }
};

// A gift block whose file fails after its prompt line (the other unreadable files are in
// folder_cases_test.cpp): unreadable, not a file that ends too soon.
TEST(UnreadableFiles, AreReportedAsUnreadableNotAsFilesThatEndTooSoon) {
  BadSectorFiles files;
  files.Add("/g/dat/lst.dat", "a\r\n");
  files.Add("/g/dat/00.dat", ">ive>badgift\r\n");
  files.Add("/g/dat/badgift.dat", ">a\r\n");
  GameOnFiles gift(files);
  gift.game.TimIve_Timer();  // on to badgift
  gift.game.TimIve_Timer();  // the prompt line
  ASSERT_TRUE(gift.game.Lst_Select(0));
  gift.game.AddCom_Click();
  EXPECT_EQ(gift.game.Error(), "cannot read dat/badgift.dat: the file cannot be read");
}

// A scene name with a NUL byte in it is in folder_cases_test.cpp.
TEST(ErrorMessages, KeepWhatFollowsANulByte) {
  EXPECT_EQ(GameError(std::string("a\0b\0", 4)).what(), std::string("a\u2400b\u2400"));
}

std::optional<QImage> FromBytes(const std::string& bytes) {
  QByteArray data = QByteArray::fromStdString(bytes);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  return LoadPicture(buffer);
}

std::string SmallJpeg() {
  QImage picture(16, 16, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "JPG");
  return bytes.toStdString();
}

TEST(PictureBombs, PicturesClaimingSixtyThousandPixelsSquareAreRefused) {
  const Bounds bounds{.seconds = 30, .address_mb = 4096, .resident_mb = 300};
  const std::string jpeg = SmallJpeg();
  const ChildRun run = RunBounded(
      [&](std::ostream& out) {
        if (!FromBytes(jpeg)) out << "no JPEG at all\n";
        for (const auto& [format, bytes] : std::vector<std::pair<const char*, std::string>>{
                 {"bmp", BitmapClaiming(60000, 60000)},
                 {"gif", GifClaiming(60000, 60000)},
                 {"png", PngClaiming(60000, 60000)},
                 {"jpeg", JpegClaiming(jpeg, 60000, 60000)}}) {
          out << format << (FromBytes(bytes) ? " loaded\n" : " refused\n");
        }
        return 0;
      },
      bounds);
  ASSERT_TRUE(run.exited) << run.signal;
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "bmp refused\ngif refused\npng refused\njpeg refused\n");
  EXPECT_TRUE(run.WithinMemory(bounds)) << run.resident_mb << " MB";
}

TEST(PictureBombs, TheLimitRefusesWhatWouldFitInMemoryButIsTooLarge) {
  // 10,000 × 10,000 pixels would take 400 MB: within the address space given here, so only
  // the loader's own limit keeps it out.
  const Bounds bounds{.seconds = 30, .address_mb = 4096, .resident_mb = 200};
  const ChildRun run = RunBounded(
      [&](std::ostream& out) {
        out << (FromBytes(GifClaiming(10000, 10000)) ? "loaded" : "refused") << ' '
            << (FromBytes(GifClaiming(2000, 2000)) ? "loaded" : "refused");
        return 0;
      },
      bounds);
  ASSERT_TRUE(run.exited) << run.signal;
  EXPECT_EQ(run.out, "refused loaded");  // 16 MB is a large picture, but a picture
  EXPECT_TRUE(run.WithinMemory(bounds)) << run.resident_mb << " MB";
}

TEST(PointsLines, NumbersTooSmallForADoubleAreWorthNothingHoweverTheyAreWritten) {
  const std::string zeros(480, '0');
  EXPECT_EQ(LeadingNumber("." + zeros + "8"), 0.0);  // found by fuzzing: was infinite
  EXPECT_EQ(LeadingNumber("0." + zeros + "1e+5 points"), 0.0);
  EXPECT_EQ(LeadingNumber("-0." + zeros + "1"), 0.0);
  EXPECT_EQ(LeadingNumber("1e-400"), 0.0);
  EXPECT_EQ(LeadingNumber("1" + zeros), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("0.001e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("-1" + zeros + "e-100"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("0." + zeros + "1e500"), 1e19);
  // So a gift worth such a line adds nothing, where it once gave the best ending.
  EXPECT_EQ(AddLovePoints(4, LeadingNumber("." + zeros + "8")), 4);
}

TEST(PlayScripts, WaitsThatAddUpToMoreThanTheClockHoldsAreRefused) {
  std::string script;
  for (int i = 0; i < 1000; ++i) script += "wait 1000000000000\n";
  std::istringstream fits(script);
  EXPECT_EQ(ParseScript(fits).size(), 1000u);  // thirty thousand years in all
  std::istringstream too_long(script + "show\nwait 1\n");
  try {
    ParseScript(too_long);
    FAIL() << "the script was taken";
  } catch (const ScriptError& e) {
    EXPECT_STREQ(e.what(), "script line 1002: the waits add up to too long a time");
  }
}

}  // namespace
}  // namespace velune::testing
