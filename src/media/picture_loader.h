#pragma once

#include <QImage>
#include <optional>
#include <string>
#include <thread>

class QIODevice;

namespace velune {

// The largest picture that is decoded, in megabytes of decoded pixels: a picture that
// claims more (a few bytes can claim 60,000 × 60,000 pixels) is refused before anything
// of its size is allocated.
inline constexpr int kLargestPictureMb = 128;

// Loads a picture file whatever its name says: the format (BMP, JPEG, GIF, PNG) is told
// from the content. Nothing when the file is missing, unreadable, not a plain file or not
// a picture, or when the picture is larger than kLargestPictureMb.
std::optional<QImage> LoadPicture(const std::string& path);

// The same for the bytes of a device opened for reading.
std::optional<QImage> LoadPicture(QIODevice& device);

// Qt loads its image format plug-ins, and the libraries behind them, when it reads the
// first picture: some milliseconds, which would delay the first scene line. This loads
// them on a thread of its own from its making, while the window starts; they are ready
// by the first picture line. Its end waits for the thread.
class PictureFormatsAhead {
 public:
  PictureFormatsAhead();
  ~PictureFormatsAhead();
  PictureFormatsAhead(const PictureFormatsAhead&) = delete;
  PictureFormatsAhead& operator=(const PictureFormatsAhead&) = delete;

 private:
  std::thread thread_;
};

}  // namespace velune
