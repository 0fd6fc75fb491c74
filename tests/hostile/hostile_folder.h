#pragma once

#include <gtest/gtest.h>
#include <malloc.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "media/midi_bytes.h"
#include "story/game.h"
#include "story/game_fixture.h"
#include "story/memory_files.h"
#include "tool/script.h"
#include "tool/scripted_player.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELUNE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELUNE_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef VELUNE_ADDRESS_SANITIZER
// AddressSanitizer keeps the heap itself; its runtime tells how much is in use.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace velune::testing {

namespace fs = std::filesystem;

#ifdef VELUNE_ADDRESS_SANITIZER
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// Generous bounds for one run: far above what a sound run needs, far below what a
// runaway would take.
struct Bounds {
  int seconds = 60;        // of real time, then the run is killed
  long address_mb = 2048;  // address space, not enforced under AddressSanitizer
  long resident_mb = 400;  // the most memory in use at any moment, checked afterwards
};

struct ChildRun {
  bool exited = false;     // ended by itself, not by a signal
  int status = -1;         // its exit status
  int signal = 0;          // the signal that ended it
  bool timed_out = false;  // killed at the time bound
  long resident_mb = 0;    // the most memory that it held at any moment
  std::string out;         // what it wrote

  // Sanitizers slow a run down and count their own memory: the bounds grow with them.
  bool WithinMemory(const Bounds& bounds) const {
    return resident_mb <= bounds.resident_mb * (kAddressSanitizer ? 4 : 1);
  }
};

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Runs `body` in a child process under the bounds: its address space is limited, it is
// killed when the time is up, and its peak memory is measured. What the body writes to
// the stream comes back in `out`, its result is the exit status. Nothing that goes wrong
// in the child can take the test program down with it.
inline ChildRun RunBounded(const std::function<int(std::ostream&)>& body, const Bounds& bounds) {
  char pattern[] = "/tmp/velune-child-XXXXXX";
  const int fd = ::mkstemp(pattern);
  if (fd < 0) throw std::runtime_error("no temporary file");
  ::close(fd);
  const std::string out_path = pattern;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!kAddressSanitizer) {
      const rlim_t bytes = static_cast<rlim_t>(bounds.address_mb) * 1024 * 1024;
      const rlimit limit{bytes, bytes};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    const int seconds = bounds.seconds * (kAddressSanitizer ? 4 : 1);
    const itimerval timer{{0, 0}, {seconds, 0}};
    ::setitimer(ITIMER_REAL, &timer, nullptr);  // SIGALRM ends the child
    int status = 111;
    {
      std::ofstream out(out_path, std::ios::binary);
      try {
        status = body(out);
      } catch (const std::exception& e) {
        out << "\nexception: " << e.what() << '\n';
        status = 112;
      }
    }
    ::_exit(status);
  }
  ChildRun run;
  int wait_status = 0;
  rusage usage{};
  ::wait4(pid, &wait_status, 0, &usage);
  run.exited = WIFEXITED(wait_status);
  run.status = run.exited ? WEXITSTATUS(wait_status) : -1;
  run.signal = WIFSIGNALED(wait_status) ? WTERMSIG(wait_status) : 0;
  run.timed_out = run.signal == SIGALRM;
  run.resident_mb = usage.ru_maxrss / 1024;
  run.out = ReadAll(out_path);
  fs::remove(out_path);
  return run;
}

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
  void Pipe(const std::string& relative) const {
    fs::remove(At(relative));
    if (::mkfifo(At(relative).c_str(), 0644) != 0) throw std::runtime_error("no pipe");
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
  if (run.timed_out) {
    return ::testing::AssertionFailure() << "the run did not end in " << bounds.seconds << " s";
  }
  if (!run.exited) return ::testing::AssertionFailure() << "the run died of signal " << run.signal;
  if (!run.WithinMemory(bounds)) {
    return ::testing::AssertionFailure()
           << "the run took " << run.resident_mb << " MB, more than " << bounds.resident_mb;
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

// The game on story files in memory, started as the window starts it, from "/g"; its
// pictures, tune and timers do nothing that matters.
struct GameOnFiles {
  explicit GameOnFiles(FileSystem& files) : game({files, pictures, mci, timers}) {
    game.Form_Load("/g");
    game.Form_Activate();
  }
  FakePictures pictures;
  FakeMci mci;
  RecordingTimers timers;
  Game game;
};

// Picture files of a few bytes whose headers claim an enormous picture.

inline std::string LittleEndian(std::uint32_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A 24-bit Windows bitmap header for width × height and a few bytes of pixels.
inline std::string BitmapClaiming(std::uint32_t width, std::uint32_t height) {
  const std::string pixels(64, '\x11');
  return "BM" + LittleEndian(54 + 64, 4) + LittleEndian(0, 4) + LittleEndian(54, 4) +
         LittleEndian(40, 4) + LittleEndian(width, 4) + LittleEndian(height, 4) +
         LittleEndian(1, 2) + LittleEndian(24, 2) + LittleEndian(0, 4) + LittleEndian(0, 4) +
         LittleEndian(2835, 4) + LittleEndian(2835, 4) + LittleEndian(0, 4) + LittleEndian(0, 4) +
         pixels;
}

// A GIF whose screen is width × height, with one pixel of picture in it.
inline std::string GifClaiming(std::uint16_t width, std::uint16_t height) {
  return "GIF89a" + LittleEndian(width, 2) + LittleEndian(height, 2) +
         std::string("\x80\x00\x00\xFF\x00\x00\x00\x00\x00", 9) + "," + LittleEndian(0, 2) +
         LittleEndian(0, 2) + LittleEndian(1, 2) + LittleEndian(1, 2) +
         std::string("\x00\x02\x02\x44\x01\x00;", 7);
}

inline std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
  return BigEndian(static_cast<std::uint32_t>(data.size()), 4) + type + data +
         BigEndian(Crc32(type + data), 4);
}

// A PNG of width × height, 8-bit RGB, with one short row of stored (uncompressed) data.
inline std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
  const std::string row = std::string(1, '\0') + std::string(30, '\0');
  const std::string deflate = std::string("\x78\x01\x01", 3) +
                              LittleEndian(static_cast<std::uint32_t>(row.size()), 2) +
                              LittleEndian(static_cast<std::uint32_t>(~row.size()) & 0xFFFF, 2) +
                              row + std::string(4, '\0');
  return "\x89PNG\r\n\x1a\n" +
         PngChunk("IHDR", BigEndian(width, 4) + BigEndian(height, 4) +
                              std::string("\x08\x02\x00\x00\x00", 5)) +
         PngChunk("IDAT", deflate) + PngChunk("IEND", "");
}

// A JPEG (any, as Qt writes one) made to claim width × height in its frame header.
inline std::string JpegClaiming(std::string jpeg, std::uint16_t width, std::uint16_t height) {
  const std::size_t frame = jpeg.find("\xFF\xC0");
  if (frame == std::string::npos) return jpeg;
  jpeg.replace(frame + 5, 2, BigEndian(height, 2));
  jpeg.replace(frame + 7, 2, BigEndian(width, 2));
  return jpeg;
}

// Bytes of heap memory in use by this process right now.
inline std::int64_t HeapInUse() {
#ifdef VELUNE_ADDRESS_SANITIZER
  return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 info = ::mallinfo2();
  return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

// The files that this process has open under `folder`, as the system lists them.
inline std::vector<std::string> OpenFilesUnder(const std::string& folder) {
  std::vector<std::string> open;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd", error)) {
    const auto target = fs::read_symlink(entry.path(), error);
    if (!error && target.string().rfind(folder, 0) == 0) open.push_back(target.string());
  }
  return open;
}

// How many file descriptors this process has open.
inline int OpenDescriptors() {
  int count = 0;
  std::error_code error;
  for (auto it = fs::directory_iterator("/proc/self/fd", error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    ++count;
  }
  return count;
}

// Everything under a folder as it stands: each entry with its kind, size, modes, times
// and content. Two looks are equal when nothing was written, made, removed or touched.
inline std::map<std::string, std::string> LookAt(const fs::path& folder) {
  std::map<std::string, std::string> seen;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    std::string look =
        std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
        std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + " " +
        std::to_string(info.st_ctim.tv_sec) + "." + std::to_string(info.st_ctim.tv_nsec);
    if (entry.is_regular_file()) look += " " + ReadAll(entry.path());
    seen[fs::relative(entry.path(), folder).string()] = look;
  }
  return seen;
}

// Gives or takes the write permissions of a folder and of everything in it.
inline void SetWritable(const fs::path& folder, bool writable) {
  const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  const auto options = writable ? fs::perm_options::add : fs::perm_options::remove;
  std::error_code ignored;
  fs::permissions(folder, write, options, ignored);
  for (auto it = fs::recursive_directory_iterator(folder, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), write, options, ignored);
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

// A scratch folder with a read-only copy of the bundled story and an empty working
// folder, each looked at before the play; strace records the file system calls where
// it is on the machine. All is removed at the end.
class WriteWatch {
 public:
  explicit WriteWatch(const std::string& name)
      : scratch(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()))),
        story(scratch / "story"),
        work(scratch / "work"),
        log(scratch / "log"),
        traced(std::system("strace -V >/dev/null 2>&1") == 0) {
    fs::remove_all(scratch);
    fs::create_directories(work);
    fs::create_directories(story);
    for (const char* part : {"dat", "grf"}) {
      fs::copy(fs::path(VELUNE_SOURCE_DIR) / "games/sample" / part, story / part,
               fs::copy_options::recursive);
    }
    SetWritable(story, false);  // nobody may write to the story
    story_before_ = LookAt(story);
    work_before_ = LookAt(work);
  }
  ~WriteWatch() {
    SetWritable(scratch, true);
    fs::remove_all(scratch);
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

  const fs::path scratch, story, work, log;
  const bool traced;

 private:
  std::map<std::string, std::string> story_before_, work_before_;
};

}  // namespace velune::testing
