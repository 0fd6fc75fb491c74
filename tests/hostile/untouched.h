#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace velune::testing {

// Everything under a folder as it stands: each entry with its kind, size, modes, times
// and content. Two looks are equal when nothing was written, made, removed or touched.
inline std::map<std::string, std::string> LookAt(const std::filesystem::path& folder) {
  std::map<std::string, std::string> seen;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    std::string look =
        std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
        std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + " " +
        std::to_string(info.st_ctim.tv_sec) + "." + std::to_string(info.st_ctim.tv_nsec);
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      look += " " + std::string(std::istreambuf_iterator<char>(in), {});
    }
    seen[std::filesystem::relative(entry.path(), folder).string()] = look;
  }
  return seen;
}

// A copy of a story folder that nobody may write to.
inline void CopyReadOnly(const std::filesystem::path& from, const std::filesystem::path& to) {
  namespace fs = std::filesystem;
  fs::create_directories(to);
  for (const char* part : {"dat", "grf"}) {
    fs::copy(from / part, to / part, fs::copy_options::recursive);
  }
  for (const auto& entry : fs::recursive_directory_iterator(to)) {
    fs::permissions(entry.path(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }
  fs::permissions(to, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

inline void MakeWritable(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
  for (auto it = fs::recursive_directory_iterator(folder, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
}

// The system calls in an strace log that write to the file system, attempted or done:
// opening for writing, making, removing, renaming, linking, truncating, changing modes,
// owners or times.
inline std::vector<std::string> WritesIn(const std::string& log) {
  static const std::set<std::string> kChanging{
      "creat",     "mkdir",       "mkdirat",      "rmdir",        "unlink",   "unlinkat",
      "rename",    "renameat",    "renameat2",    "link",         "linkat",   "symlink",
      "symlinkat", "truncate",    "ftruncate",    "chmod",        "fchmod",   "fchmodat",
      "chown",     "fchown",      "lchown",       "fchownat",     "utime",    "utimes",
      "utimensat", "futimesat",   "mknod",        "mknodat",      "setxattr", "lsetxattr",
      "fsetxattr", "removexattr", "lremovexattr", "fremovexattr", "fallocate"};
  static const std::set<std::string> kOpening{"open", "openat", "openat2"};
  std::vector<std::string> writes;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    // "PID  name(arguments) = result", or a call that another thread interrupted.
    std::size_t start = line.find_first_not_of("0123456789 ");
    if (start == std::string::npos || line[start] == '<' || line[start] == '+') continue;
    const std::size_t paren = line.find('(', start);
    if (paren == std::string::npos) continue;
    const std::string name = line.substr(start, paren - start);
    const bool opens_for_writing =
        kOpening.count(name) != 0 &&
        (line.find("O_WRONLY") != std::string::npos || line.find("O_RDWR") != std::string::npos ||
         line.find("O_CREAT") != std::string::npos || line.find("O_TRUNC") != std::string::npos);
    if (opens_for_writing || kChanging.count(name) != 0) writes.push_back(line);
  }
  return writes;
}

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A scratch folder with a read-only copy of the bundled story and an empty working
// folder, each looked at before the play; strace records the file system calls where
// it is on the machine. All is removed at the end.
class WriteWatch {
 public:
  explicit WriteWatch(const std::string& name)
      : scratch(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))),
        story(scratch / "story"),
        work(scratch / "work"),
        log(scratch / "log"),
        traced(std::system("strace -V >/dev/null 2>&1") == 0) {
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(work);
    CopyReadOnly(std::filesystem::path(VELUNE_SOURCE_DIR) / "games/sample", story);
    story_before_ = LookAt(story);
    work_before_ = LookAt(work);
  }
  ~WriteWatch() {
    MakeWritable(scratch);
    std::filesystem::remove_all(scratch);
  }
  WriteWatch(const WriteWatch&) = delete;
  WriteWatch& operator=(const WriteWatch&) = delete;

  // `command` run in the working folder, under strace where there is one. LeakSanitizer
  // cannot look for leaks in a program that strace traces: that is done elsewhere.
  std::string InWorkFolder(const std::string& command) const {
    return "cd " + work.string() + " && " +
           (traced ? "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e "
                     "trace=%file,ftruncate,fchmod,fchown,fallocate -o " +
                         log.string() + " "
                   : "") +
           command;
  }

  // Neither the story nor the working folder changed, and `trace` (part of the log, or
  // all of it) read the story and wrote nothing.
  void ExpectNothingWritten(const std::string& trace) const {
    EXPECT_EQ(LookAt(story), story_before_);
    EXPECT_EQ(LookAt(work), work_before_);
    if (!traced) return;
    EXPECT_NE(trace.find("dat/00.dat"), std::string::npos);  // the trace saw the story read
    EXPECT_EQ(WritesIn(trace), std::vector<std::string>{}) << trace;
  }

  const std::filesystem::path scratch, story, work, log;
  const bool traced;

 private:
  std::map<std::string, std::string> story_before_, work_before_;
};

}  // namespace velune::testing
