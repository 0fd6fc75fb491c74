#include "story/disk_file_system.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "story/translation.h"
#include "story/utf8_paths.h"

namespace velune {
namespace fs = std::filesystem;
namespace {

class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(const fs::path& path) : stream_(path, std::ios::binary) {}
  bool IsOpen() const { return stream_.is_open(); }

  std::size_t Read(char* buffer, std::size_t size) override {
    stream_.read(buffer, static_cast<std::streamsize>(size));
    if (stream_.bad()) throw std::runtime_error(Tr("game", "the file cannot be read"));
    return static_cast<std::size_t>(stream_.gcount());
  }

 private:
  std::ifstream stream_;
};

}  // namespace

std::unique_ptr<ByteSource> DiskFileSystem::OpenRead(const std::string& path) {
  std::error_code error;
  const fs::path p = PathFromUtf8(path);
  const fs::file_status status = fs::status(p, error);
  if (status.type() == fs::file_type::not_found)
    throw std::runtime_error(Tr("game", "no such file"));
  // A link that leads in a circle, a folder that may not be entered, ...
  if (error) throw std::runtime_error(error.message());
  if (fs::is_directory(status)) throw std::runtime_error(Tr("game", "it is a folder, not a file"));
  // A pipe would wait for a writer for ever, and a device may never end.
  if (!fs::is_regular_file(status)) {
    throw std::runtime_error(Tr("game", "it is not a plain file (a device, a pipe or a socket)"));
  }
  auto source = std::make_unique<FileByteSource>(p);
  if (!source->IsOpen())
    throw std::runtime_error(Tr("game", "the file cannot be opened for reading"));
  return source;
}

bool DiskFileSystem::IsFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(PathFromUtf8(path), error);
}

bool DiskFileSystem::IsFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(PathFromUtf8(path), error);
}

std::vector<std::string> DiskFileSystem::List(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(PathFromUtf8(folder), error), end; !error && it != end;
       it.increment(error)) {
    names.push_back(Utf8FromPath(it->path().filename()));
  }
  return names;
}

}  // namespace velune
