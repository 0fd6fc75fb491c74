#include "tool/graphviz.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace velune {
namespace {

namespace fs = std::filesystem;

// A file for the DOT text that is removed again when the drawing is done.
class TemporaryFile {
 public:
  TemporaryFile() {
    std::string pattern = (fs::temp_directory_path() / "velune-map-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
      throw std::runtime_error("cannot create a temporary file: " +
                               std::string(std::strerror(errno)));
    close(fd);
    path_ = pattern;
  }
  ~TemporaryFile() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

std::optional<std::string> FindDotProgram() {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    const std::string candidate = folder + "/dot";
    if (access(candidate.c_str(), X_OK) == 0 && fs::is_regular_file(candidate)) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

void RenderDot(const std::string& dot, const std::string& format, const std::string& output) {
  const auto program = FindDotProgram();
  if (!program) {
    throw std::runtime_error(
        "Graphviz is not installed (no program \"dot\" on the PATH), so the map cannot be drawn "
        "as " +
        format + "; install the graphviz package, or leave out -o to print the map as DOT text");
  }
  TemporaryFile input;
  {
    std::ofstream file(input.Path(), std::ios::binary);
    file << dot;
    if (!file.flush()) throw std::runtime_error("cannot write the temporary file " + input.Path());
  }
  std::vector<std::string> args{*program, "-T" + format, "-o", output, input.Path()};
  if (format == "png") args.insert(args.begin() + 1, "-Gdpi=144");  // sharp small text
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program->c_str(), nullptr, nullptr, argv.data(), environ);
  if (spawned != 0) {
    throw std::runtime_error("cannot run " + *program + ": " + std::strerror(spawned));
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("lost track of " + *program);
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("Graphviz could not draw the map into " + output + " (dot " +
                             (WIFEXITED(status)
                                  ? "exited with status " + std::to_string(WEXITSTATUS(status))
                                  : std::string("was stopped by a signal")) +
                             ")");
  }
}

}  // namespace velune
