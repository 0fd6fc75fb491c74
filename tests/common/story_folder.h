#pragma once

// What tests of every part share: a game folder written in a temporary directory, the
// bytes of its files, and reading a file back.

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velune::testing {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string LittleEndian(std::uint64_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

inline std::string BigEndian(std::uint64_t value, int size) {
  const std::string little = LittleEndian(value, size);
  return {little.rbegin(), little.rend()};
}

// A folder of its own in the temporary directory, removed with all it holds at the end of
// the test, whatever its modes then are.
class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> count = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("velune-test-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path() const { return root_.string(); }
  std::filesystem::path At(const std::string& relative) const { return root_ / relative; }

  // Writes the bytes to a file, folders and all, in place of whatever was there; answers
  // its path.
  std::string Bytes(const std::string& relative, const std::string& bytes) const {
    const auto path = At(relative);
    std::filesystem::create_directories(path.parent_path());
    std::filesystem::remove_all(path);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  void Remove(const std::string& relative) const { std::filesystem::remove_all(At(relative)); }
  void Folder(const std::string& relative) const {
    Remove(relative);
    std::filesystem::create_directories(At(relative));
  }
  void Link(const std::string& relative, const std::string& target) const {
    Remove(relative);
    std::filesystem::create_symlink(target, At(relative));
  }
  void Pipe(const std::string& relative) const {
    Remove(relative);
    if (::mkfifo(At(relative).c_str(), 0644) != 0) throw std::runtime_error("no pipe");
  }

 private:
  std::filesystem::path root_;
};

// A game folder: dat/ and grf/ in a scratch folder.
class StoryFolder : public ScratchFolder {
 public:
  StoryFolder() {
    Folder("dat");
    Folder("grf");
  }
  // A text file of the story from UTF-8 text, "\n" a line end: on disk with a byte-order
  // mark and CR LF. (The bundled story is code page 932, as most are.)
  void Write(const std::string& relative, std::string_view utf8) const {
    std::string bytes = "\xEF\xBB\xBF";
    for (const char c : utf8) bytes += c == '\n' ? "\r\n" : std::string(1, c);
    Bytes(relative, bytes);
  }
  // A text file from lines of raw bytes, each ended by CR LF.
  void Lines(const std::string& relative, std::initializer_list<std::string> lines) const {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    Bytes(relative, bytes);
  }
  void Scene(const std::string& name, std::initializer_list<std::string> lines) const {
    Lines("dat/" + name + ".dat", lines);
  }
};

}  // namespace velune::testing
