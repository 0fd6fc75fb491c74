#pragma once

#include "story/file_system.h"

namespace velune {

// The files of the real disk. Only plain files open for reading, links followed: a
// folder, a pipe or a device is refused with the reason, so nothing waits or reads for
// ever on what a story folder holds.
class DiskFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::vector<std::string> List(const std::string& folder) override;
};

}  // namespace velune
