#pragma once

#include <QImage>
#include <optional>
#include <string>

#include "story/picture_port.h"  // kLargestPictureMb

class QIODevice;

namespace velune {

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
