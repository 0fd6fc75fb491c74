#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velune {

// The largest file that any tune device takes as a tune.
inline constexpr std::uintmax_t kLargestTune = 16 * 1024 * 1024;

// The bytes of a tune file, for any tune device: nothing when the path names no regular
// file, or one larger than any tune (16 MB), or it cannot be read. The path is UTF-8.
std::optional<std::string> ReadTuneFile(const std::string& path);

}  // namespace velune
