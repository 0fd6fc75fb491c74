#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "story/translation.h"
#include "tool/system_programs.h"

extern char** environ;

namespace velune {
namespace fs = std::filesystem;

std::optional<std::string> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0 && fs::is_regular_file(candidate)) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

int RunProgram(const std::vector<std::string>& args) {
  std::vector<std::string> copies = args;
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0].c_str(), nullptr, nullptr, argv.data(), environ);
  if (spawned != 0) {
    throw std::runtime_error(
        Tr("tool", "cannot run %1: %2").Arg(args[0]).Arg(std::strerror(spawned)));
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error(Tr("tool", "lost track of %1").Arg(args[0]));
  }
  if (!WIFEXITED(status)) {
    throw std::runtime_error(Tr("tool", "%1 was stopped by a signal").Arg(args[0]));
  }
  return WEXITSTATUS(status);
}

TemporaryFile::TemporaryFile(const std::string& text) {
  std::string pattern = (fs::temp_directory_path() / "velune-map-XXXXXX").string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    const int error = errno;
    throw std::runtime_error(
        Tr("tool", "cannot create a temporary file: %1").Arg(std::strerror(error)));
  }
  close(fd);
  path_ = pattern;
  std::ofstream file(path_, std::ios::binary);
  file << text;
  if (!file.flush()) {
    std::error_code ignored;
    fs::remove(path_, ignored);
    throw std::runtime_error(Tr("tool", "cannot write the temporary file %1").Arg(path_));
  }
}

TemporaryFile::~TemporaryFile() {
  std::error_code ignored;
  fs::remove(path_, ignored);
}

}  // namespace velune
