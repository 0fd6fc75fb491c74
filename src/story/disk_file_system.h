#pragma once

#include "story/file_system.h"

namespace velune {

// The files of the real disk.
class DiskFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::vector<std::string> List(const std::string& folder) override;
};

}  // namespace velune
