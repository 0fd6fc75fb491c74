#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velune {

// A program of the system by its name ("dot"), as the PATH finds it; nothing when it is
// not installed.
std::optional<std::string> FindProgram(const std::string& name);

// Runs a program (`args`, the program first) and waits for its end. Returns its exit
// status; throws std::runtime_error when it cannot start or is stopped by a signal.
int RunProgram(const std::vector<std::string>& args);

// A file holding `text` in the system's folder for temporary files, removed again when
// it goes. Throws std::runtime_error when it cannot be written.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& text);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace velune
