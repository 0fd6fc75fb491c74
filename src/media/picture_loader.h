#pragma once

#include <QImage>
#include <optional>
#include <string>

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
// first picture, which would delay the first scene line. This loads
// them all at once; run on a thread while the window starts, they are ready by the
// first picture line.
void LoadPictureFormats();

}  // namespace velune
