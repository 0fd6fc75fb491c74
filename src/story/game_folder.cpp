#include "story/game_folder.h"

#include <algorithm>
#include <vector>

#include "story/ascii.h"
#include "story/platform_paths.h"

namespace velune {
namespace {

// The parts of a relative path, with "." and empty parts dropped and ".." applied;
// nothing when the path leads out of its root.
std::optional<std::vector<std::string>> SplitRelative(std::string_view relative) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(start, end - start);
    if (part == "..") {
      if (parts.empty()) return std::nullopt;
      parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::string WithTrailingSeparator(std::string folder) {
  if (folder.empty() || (folder.back() != kPathSeparator && folder.back() != '/')) {
    folder += kPathSeparator;
  }
  return folder;
}

std::optional<GameFile> FindGameFile(FileSystem& files, const std::string& app_dir,
                                     std::string_view relative) {
  if (relative.find('\0') != std::string_view::npos) return std::nullopt;
  const auto parts = SplitRelative(relative);
  if (!parts || parts->empty()) return std::nullopt;

  std::string display;
  for (const auto& part : *parts) {
    if (!display.empty()) display += kPathSeparator;
    display += part;
  }
  GameFile exact{app_dir + display, display};
  if (files.IsFile(exact.path)) return exact;

  // No exact match: walk down the folders, letting each part match ignoring case.
  std::string found;
  for (std::size_t i = 0; i < parts->size(); ++i) {
    const std::string& part = (*parts)[i];
    const std::string folder = found.empty() ? app_dir : app_dir + found + kPathSeparator;
    std::string chosen = part;
    const bool last = i + 1 == parts->size();
    // A file for the last part, a folder for the others: an entry of the other kind
    // never hides the one that fits.
    const auto fits = [&](const std::string& name) {
      return last ? files.IsFile(folder + name) : files.IsFolder(folder + name);
    };
    if (!fits(part)) {
      std::vector<std::string> names = files.List(folder);
      std::sort(names.begin(), names.end());
      const auto match = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
        return SameIgnoringAsciiCase(name, part) && fits(name);
      });
      if (match == names.end()) return exact;  // opening it will say it is missing
      chosen = *match;
    }
    if (!found.empty()) found += kPathSeparator;
    found += chosen;
  }
  return GameFile{app_dir + found, found};
}

}  // namespace velune
