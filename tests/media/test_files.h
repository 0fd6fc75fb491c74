#pragma once

// What the hostile picture test still takes from here, until it moves onto
// common/story_folder.h: a GIF (Qt reads GIFs but cannot write them), a named scratch
// folder, and reading a file back.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace velune::testing {

// A red 4 × 3 picture.
inline std::string RedGif() {
  static const unsigned char kBytes[] = {
      0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x03, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
      0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x02, 0x03, 0x84, 0x8f, 0x56, 0x00, 0x3b};
  return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    static std::atomic<int> count = 0;
    folder = std::filesystem::temp_directory_path() /
             (name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
    std::filesystem::create_directories(folder);
  }
  ~ScratchFolder() { std::filesystem::remove_all(folder); }
  std::string PathOf(const std::string& name) const { return (folder / name).string(); }
  std::filesystem::path folder;
};

}  // namespace velune::testing
