#pragma once

#include <optional>
#include <string>

namespace velune {

// The bytes of a tune file, for any tune device: nothing when the path names no regular
// file, or one larger than any tune (16 MB), or it cannot be read. The path is UTF-8.
std::optional<std::string> ReadTuneFile(const std::string& path);

}  // namespace velune
