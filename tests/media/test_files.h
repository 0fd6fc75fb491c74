#pragma once

#include <unistd.h>

#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "story/mci_port.h"

namespace velune::testing {

// A red 4 × 3 picture as a GIF, byte by byte: Qt reads GIFs but cannot write them.
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

// A fresh folder in the temporary directory for the files of one test, removed afterwards.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    static std::atomic<int> count = 0;
    folder = std::filesystem::temp_directory_path() /
             (name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  ~ScratchFolder() { std::filesystem::remove_all(folder); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string PathOf(const std::string& name) const { return (folder / name).string(); }
  // Writes the bytes to the file `name`; answers its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder / name, std::ios::binary) << bytes;
    return PathOf(name);
  }

  std::filesystem::path folder;
};

// What the game's tune poll reads: "status MIDI mode" into 16 blanks passed with the
// length 15, of which it compares the first seven characters.
inline std::string TuneStatus(MciPort& mci) {
  std::array<char, 16> reply;
  reply.fill(' ');
  mci.SendString("status MIDI mode", reply.data(), 15);
  return std::string(reply.data(), 7);
}

}  // namespace velune::testing
