#pragma once

#include <QImage>
#include <optional>
#include <string>

namespace velune {

// Loads a picture file whatever its name says: the format (BMP, JPEG, GIF, PNG) is told
// from the content. Nothing when the file is missing, unreadable or not a picture.
std::optional<QImage> LoadPicture(const std::string& path);

}  // namespace velune
