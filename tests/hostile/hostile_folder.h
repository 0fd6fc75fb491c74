#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bounded_child.h"
#include "tool/script.h"
#include "tool/scripted_player.h"

namespace velune::testing {

namespace fs = std::filesystem;

// A game folder written by the test in a fresh temporary directory, removed afterwards.
// Text files are bytes as given (ASCII, or code page 932 written out), lines ended by CR LF.
class HostileFolder {
 public:
  HostileFolder() {
    static int count = 0;
    root_ = fs::temp_directory_path() /
            ("velune-hostile-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
    fs::remove_all(root_);
    fs::create_directories(root_ / "dat");
    fs::create_directories(root_ / "grf");
  }
  ~HostileFolder() {
    std::error_code ignored;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root_, ignored);
  }
  HostileFolder(const HostileFolder&) = delete;
  HostileFolder& operator=(const HostileFolder&) = delete;

  std::string Path() const { return root_.string(); }
  fs::path At(const std::string& relative) const { return root_ / relative; }

  void Lines(const std::string& relative, std::initializer_list<std::string> lines) const {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    Bytes(relative, bytes);
  }
  void Scene(const std::string& name, std::initializer_list<std::string> lines) const {
    Lines("dat/" + name + ".dat", lines);
  }
  void Bytes(const std::string& relative, const std::string& bytes) const {
    const fs::path path = At(relative);
    fs::create_directories(path.parent_path());
    fs::remove(path);
    std::ofstream(path, std::ios::binary) << bytes;
  }
  void Link(const std::string& relative, const std::string& target) const {
    fs::remove(At(relative));
    fs::create_symlink(target, At(relative));
  }
  void Folder(const std::string& relative) const {
    fs::remove(At(relative));
    fs::create_directories(At(relative));
  }

 private:
  fs::path root_;
};

// Bytes that mean nothing: the same for the same seed.
inline std::string Garbage(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// One run of the scripted player, as velune-tool run gives it.
struct Played {
  ChildRun run;
  std::vector<nlohmann::json> lines;  // every output line
  nlohmann::json last;                // the last of them, null when there is none
  std::string error;                  // the error message, when the run ended with one
};

// Plays `script` on the folder in a child process within the bounds.
inline Played Play(const std::string& game_dir, const std::string& script,
                   const Bounds& bounds = {}) {
  Played played;
  played.run = RunBounded(
      [&](std::ostream& out) {
        std::istringstream in(script);
        std::ostringstream ignored;
        return PlayScript(game_dir, ParseScript(in), false, out, ignored);
      },
      bounds);
  std::istringstream lines(played.run.out);
  for (std::string line; std::getline(lines, line);) {
    played.lines.push_back(nlohmann::json::parse(line, nullptr, false));
  }
  if (!played.lines.empty()) played.last = played.lines.back();
  if (played.last.is_object() && played.last.contains("error")) {
    played.error = played.last["error"].get<std::string>();
  }
  return played;
}

// The game played by its rules to a normal end, or stopped with one error that names a
// file of the game folder: never a crash, a hang or a runaway.
inline ::testing::AssertionResult EndedProperly(const Played& played, const Bounds& bounds = {}) {
  const ChildRun& run = played.run;
  if (run.timed_out) return ::testing::AssertionFailure() << "the run did not end in time";
  if (!run.exited) return ::testing::AssertionFailure() << "the run died of signal " << run.signal;
  if (!run.WithinMemory(bounds)) {
    return ::testing::AssertionFailure() << "the run took " << run.resident_mb << " MB";
  }
  for (const auto& line : played.lines) {
    if (line.is_discarded()) return ::testing::AssertionFailure() << "not JSON: " << run.out;
  }
  if (run.status == kRunOk) return ::testing::AssertionSuccess();
  if (run.status == kRunGameError && played.error.find("dat/") != std::string::npos) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "exit status " << run.status << ": " << run.out;
}

}  // namespace velune::testing
