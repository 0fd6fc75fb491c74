#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace velune {

// A file opened for reading, as a stream of bytes.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `size` bytes into `buffer`; returns how many, 0 at the end.
  // Throws std::runtime_error with the system's words when reading fails.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// The files of the game folder. Paths are UTF-8 with the platform's separator.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens a file for reading. Throws std::runtime_error with the reason when it cannot.
  virtual std::unique_ptr<ByteSource> OpenRead(const std::string& path) = 0;
  virtual bool IsFile(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  // Names of the entries of a folder; empty when it cannot be listed.
  virtual std::vector<std::string> List(const std::string& folder) = 0;
};

}  // namespace velune
