#pragma once

#include <gtest/gtest.h>
#include <malloc.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>
#include <sstream>

#include "common/story_folder.h"
#include "media/midi_bytes.h"
#include "story/game.h"
#include "story/game_fixture.h"
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
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
inline constexpr int kSlower = 4;  // the sanitizer's time and memory
#else
inline constexpr int kSlower = 1;
#endif

namespace velune::testing {

namespace fs = std::filesystem;

// Far above what a sound run needs, far below what a runaway would take.
struct Bounds {
  int seconds = 60;
  long address_mb = 2048;  // not enforced under AddressSanitizer
  long resident_mb = 400;  // the peak, checked afterwards
};

struct ChildRun {
  bool exited = false;  // not ended by a signal
  int status = -1;
  int signal = 0;
  long resident_mb = 0;
  std::string out;
};

// Runs `body` in a child process under the bounds; what it writes to the stream comes back
// in `out`, its result is the exit status.
inline ChildRun RunBounded(const std::function<int(std::ostream&)>& body, const Bounds& bounds) {
  ScratchFolder scratch;
  const std::string out_path = scratch.Bytes("out", "");
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const rlim_t bytes = static_cast<rlim_t>(bounds.address_mb) << 20;
    const rlimit limit{bytes, bytes};
    if (kSlower == 1) ::setrlimit(RLIMIT_AS, &limit);
    const itimerval timer{{0, 0}, {bounds.seconds * kSlower, 0}};
    ::setitimer(ITIMER_REAL, &timer, nullptr);  // SIGALRM ends the child
    int status = 111;
    {
      std::ofstream out(out_path, std::ios::binary);
      try {
        status = body(out);
      } catch (const std::exception& e) {
        out << "\nexception: " << e.what() << '\n';
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
  run.resident_mb = usage.ru_maxrss / 1024;
  run.out = ReadFile(out_path);
  return run;
}

// Bytes that mean nothing: the same for the same seed.
inline std::string Garbage(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// velune-tool run in a child process within the bounds: every output line, and the last.
struct BoundedPlay {
  ChildRun run;
  std::vector<nlohmann::json> lines;
  nlohmann::json last;
};

inline BoundedPlay Play(const std::string& game_dir, const std::string& script,
                        const Bounds& bounds = {}) {
  BoundedPlay played;
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
  return played;
}

// Played by the rules to an end, or stopped with one error naming a story file: never a
// crash, a hang or a runaway.
inline ::testing::AssertionResult EndedProperly(const BoundedPlay& played,
                                                const Bounds& bounds = {}) {
  const ChildRun& run = played.run;
  if (!run.exited) return ::testing::AssertionFailure() << "died of signal " << run.signal;
  if (run.resident_mb > bounds.resident_mb * kSlower) {
    return ::testing::AssertionFailure() << "took " << run.resident_mb << " MB";
  }
  for (const auto& line : played.lines) {
    if (line.is_discarded()) return ::testing::AssertionFailure() << "not JSON: " << run.out;
  }
  if (run.status == kRunOk) return ::testing::AssertionSuccess();
  if (run.status == kRunGameError && played.last.is_object() &&
      played.last.value("error", "").find("dat/") != std::string::npos) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "exit status " << run.status << ": " << run.out;
}

// The game on story files in memory, started from "/g" as the window starts it.
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

// The soaks' story: a gift at every first scene, two pictures, a tune, three endings.
inline void SoakStory(const StoryFolder& folder) {
  folder.Lines("dat/lst.dat", {"flower", "ring", "letter"});
  folder.Bytes("grf/a.dat", BitmapBytes(4, 3));
  folder.Bytes("grf/b.dat", BitmapBytes(8, 6));
  folder.Bytes("dat/bgm.mid", TuneOfMs(2500));
  folder.Scene("00", {">img>a", "welcome", "-p", ">flower", "3", "10", "11"});
  folder.Scene("10", {">img>b", "right", "-p", ">ending"});
  folder.Scene("11", {"wrong", "-p", ">ending"});
  for (const char* ending : {"end1", "end2", "end3"}) folder.Scene(ending, {"fin", "-p", ">end"});
}

// Pictures of a few bytes whose headers claim width × height.
inline std::string BitmapClaiming(std::uint32_t width, std::uint32_t height) {
  std::string bitmap = BitmapBytes(4, 4);
  bitmap.replace(18, 8, LittleEndian(width, 4) + LittleEndian(height, 4));
  return bitmap;
}

inline std::string GifClaiming(std::uint16_t width, std::uint16_t height) {
  return "GIF89a" + LittleEndian(width, 2) + LittleEndian(height, 2) +
         std::string("\x80\0\0\xFF\0\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 25);
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : type + data) {
    crc ^= static_cast<unsigned char>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return BigEndian(static_cast<std::uint32_t>(data.size()), 4) + type + data + BigEndian(~crc, 4);
}

// 8-bit RGB, with one short row of stored (uncompressed) data.
inline std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
  const std::string deflate = std::string("\x78\x01\x01\x1F\0\xE0\xFF", 7) + std::string(35, '\0');
  return "\x89PNG\r\n\x1a\n" +
         PngChunk("IHDR", BigEndian(width, 4) + BigEndian(height, 4) +
                              std::string("\x08\x02\x00\x00\x00", 5)) +
         PngChunk("IDAT", deflate) + PngChunk("IEND", "");
}

// A JPEG (any) made to claim width × height in its frame header.
inline std::string JpegClaiming(std::string jpeg, std::uint16_t width, std::uint16_t height) {
  const std::size_t frame = jpeg.find("\xFF\xC0");
  if (frame != std::string::npos)
    jpeg.replace(frame + 5, 4, BigEndian(height, 2) + BigEndian(width, 2));
  return jpeg;
}

inline std::int64_t HeapInUse() {
#ifdef VELUNE_ADDRESS_SANITIZER
  return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 info = ::mallinfo2();
  return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
#endif
}

// The files that this process has open under `folder` (all of them for ""), as the system
// lists them.
inline std::vector<std::string> OpenFilesUnder(const std::string& folder) {
  std::vector<std::string> open;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd", error)) {
    const auto target = fs::read_symlink(entry.path(), error);
    if (!error && target.string().rfind(folder, 0) == 0) open.push_back(target.string());
  }
  return open;
}

// Each entry under a folder with its modes, size, times and a hash of its content.
inline std::map<std::string, std::string> LookAt(const fs::path& folder) {
  std::map<std::string, std::string> seen;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    const auto time = [](const timespec& t) {
      return std::to_string(t.tv_sec * 1000000000 + t.tv_nsec);
    };
    seen[entry.path().string()] =
        std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
        time(info.st_mtim) + " " + time(info.st_ctim) + " " +
        std::to_string(std::hash<std::string>{}(entry.is_regular_file() ? ReadFile(entry) : ""));
  }
  return seen;
}

// The system calls in an strace log that write to the file system, attempted or done.
inline std::vector<std::string> WritesIn(const std::string& log) {
  static const std::regex kWrite(
      "^[0-9 ]*((creat|mkdir(at)?|rmdir|unlink(at)?|rename(at2?)?|(sym)?link(at)?|f?truncate|"
      "f?chmod(at)?|[fl]?chown(at)?|utimes?|utimensat|futimesat|mknod(at)?|[lf]?setxattr|"
      "[lf]?removexattr|fallocate)\\(|open(at2?)?\\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)).*");
  std::vector<std::string> writes;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_match(line, kWrite)) writes.push_back(line);
  }
  return writes;
}

// A read-only copy of the bundled story and an empty working folder, looked at before the
// play; strace, where there is one, logs the file system calls.
class WriteWatch {
 public:
  WriteWatch() : story(scratch.At("story")), work(scratch.At("work")), log(scratch.At("log")) {
    fs::copy(fs::path(VELUNE_SOURCE_DIR) / "games/sample", story, fs::copy_options::recursive);
    scratch.Folder("work");
    std::system(("chmod -R a-w " + story.string()).c_str());
    before_ = LookAt(scratch.Path());
  }
  ~WriteWatch() { std::system(("chmod -R u+w " + scratch.Path()).c_str()); }

  // LeakSanitizer cannot look for leaks in a program that strace traces.
  std::string InWorkFolder(const std::string& command) const {
    return "cd " + work.string() + " && " +
           (traced ? "ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e "
                     "trace=%file,ftruncate,fchmod,fchown,fallocate -o " +
                         log.string() + " "
                   : "") +
           command;
  }

  // Nothing changed, and `trace` read the story and wrote nothing.
  void ExpectNothingWritten(const std::string& trace) const {
    auto after = LookAt(scratch.Path());
    after.erase(log.string());
    after.erase(scratch.At("out").string());
    EXPECT_EQ(after, before_);
    if (!traced) return;
    EXPECT_NE(trace.find("dat/00.dat"), std::string::npos);
    EXPECT_EQ(WritesIn(trace), std::vector<std::string>{}) << trace;
  }

  const ScratchFolder scratch;
  const fs::path story, work, log;
  const bool traced = std::system("strace -V >/dev/null 2>&1") == 0;

 private:
  std::map<std::string, std::string> before_;
};

}  // namespace velune::testing
