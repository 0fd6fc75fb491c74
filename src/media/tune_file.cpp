#include "media/tune_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "story/utf8_paths.h"

namespace velune {

std::optional<std::string> ReadTuneFile(const std::string& path) {
  const std::filesystem::path file_path = PathFromUtf8(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file_path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(file_path, error);
  if (error || size > kLargestTune) return std::nullopt;
  std::ifstream file(file_path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

}  // namespace velune
