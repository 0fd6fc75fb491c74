#pragma once

#include <string>

namespace velune {

// The largest picture that is decoded, in megabytes of decoded pixels: a picture that
// claims more (a few bytes can claim 60,000 × 60,000 pixels) is refused before anything
// of its size is allocated.
inline constexpr int kLargestPictureMb = 128;

// The picture holder DF and the picture area Img, as the game uses them.
class PicturePort {
 public:
  virtual ~PicturePort() = default;
  // Loads a picture file (format told from its content) and makes it the current
  // picture. Returns false, and keeps the current picture, when the file is missing,
  // unreadable or not a picture.
  virtual bool Load(const std::string& path) = 0;
  // Stretches the current picture over the whole inner area of the picture area; draws
  // nothing while no picture has been loaded.
  virtual void StretchToArea() = 0;
};

}  // namespace velune
