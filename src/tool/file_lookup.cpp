#include "tool/file_lookup.h"

#include "story/platform_paths.h"

namespace velune {
namespace {

// The game folder as the game would see it if it never forgave letter case.
class ExactNamesOnly : public FileSystem {
 public:
  explicit ExactNamesOnly(FileSystem& files) : files_(files) {}
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
    return files_.OpenRead(path);
  }
  bool IsFile(const std::string& path) override { return files_.IsFile(path); }
  bool IsFolder(const std::string& path) override { return files_.IsFolder(path); }
  std::vector<std::string> List(const std::string&) override { return {}; }

 private:
  FileSystem& files_;
};

}  // namespace

FoundFile LocateGameFile(FileSystem& files, const std::string& app_dir, std::string_view relative) {
  const auto found = FindGameFile(files, app_dir, relative);
  if (!found) return FoundFile{NameMatch::kOutsideFolder, GameFile{}};
  ExactNamesOnly exact_names(files);
  const auto exact = FindGameFile(exact_names, app_dir, relative);
  if (exact && files.IsFile(exact->path)) return FoundFile{NameMatch::kExact, *exact};
  if (files.IsFile(found->path)) return FoundFile{NameMatch::kIgnoringCase, *found};
  return FoundFile{NameMatch::kMissing, exact ? *exact : *found};
}

std::string GamePath(std::string_view folder, std::string_view name, std::string_view extension) {
  std::string path(folder);
  path += kPathSeparator;
  path += name;
  path += extension;
  return path;
}

}  // namespace velune
