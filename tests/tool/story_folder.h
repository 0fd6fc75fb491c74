#pragma once

#include <iconv.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "media/midi_bytes.h"
#include "story/disk_file_system.h"
#include "tool/ending_search.h"
#include "tool/findings.h"
#include "tool/headless_pictures.h"
#include "tool/script.h"
#include "tool/scripted_player.h"
#include "tool/story_check.h"
#include "tool/story_model.h"

namespace velune::testing {

// The story that comes with the game.
inline std::string SamplePath() {
  return (std::filesystem::path(__FILE__).parent_path() / "../../games/sample").string();
}

// A game folder read from `files`, or from the disk.
inline Story LoadFolder(const std::string& game_dir, FileSystem* files = nullptr) {
  DiskFileSystem disk;
  HeadlessPictures pictures;
  return LoadStory(files ? *files : disk, pictures, game_dir);
}

// The checker's report on a game folder, one finding a line, sorted, without the summary.
inline std::string CheckReport(const std::string& game_dir,
                               std::size_t state_limit = kDefaultStateLimit,
                               FileSystem* files = nullptr) {
  const Story story = LoadFolder(game_dir, files);
  const Findings findings = CheckStory(story, SearchEndings(story, state_limit));
  std::ostringstream out;
  for (const Finding& f : findings.Sorted()) WriteFindingLine(out, f);
  return out.str();
}

// One run of the scripted player: its exit status, what it printed, and each line of its
// output as JSON.
struct Played {
  int status = 0;
  std::string out;
  std::string err;
  std::vector<nlohmann::json> lines;
};

inline Played Play(const std::string& game_dir, const std::string& script, bool trace = false) {
  std::istringstream in(script);
  const auto actions = ParseScript(in);
  std::ostringstream out;
  std::ostringstream err;
  Played played;
  played.status = PlayScript(game_dir, actions, trace, out, err);
  played.out = out.str();
  played.err = err.str();
  std::istringstream lines(played.out);
  for (std::string line; std::getline(lines, line);) {
    played.lines.push_back(nlohmann::json::parse(line));
  }
  return played;
}

// Scene file bytes as authors save them: code page 932 with CR LF line ends. The text
// is written in UTF-8 with "\n" line ends.
inline std::string SceneBytes(std::string_view utf8) {
  std::string crlf;
  for (const char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 encoder");
  std::string out(crlf.size() * 2 + 4, '\0');
  char* in = crlf.data();
  std::size_t in_left = crlf.size();
  char* dst = out.data();
  std::size_t out_left = out.size();
  const std::size_t done = iconv(cd, &in, &in_left, &dst, &out_left);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) throw std::runtime_error("not encodable in CP932");
  out.resize(out.size() - out_left);
  return out;
}

// A tiny Windows bitmap: 2 × 2 pixels, 24 bits.
inline std::string BitmapBytes() {
  const auto le = [](std::uint32_t v, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  const std::string pixels(16, '\x40');  // two rows of 2 pixels, padded to 8 bytes
  return "BM" + le(54 + 16, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(2, 4) + le(2, 4) + le(1, 2) +
         le(24, 2) + le(0, 4) + le(16, 4) + le(2835, 4) + le(2835, 4) + le(0, 4) + le(0, 4) +
         pixels;
}

// A game folder in a temporary directory, removed again at the end of the test.
class StoryFolder {
 public:
  StoryFolder() {
    static int count = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("velune-check-" + std::to_string(::getpid()) + "-" + std::to_string(count++));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "dat");
    std::filesystem::create_directories(root_ / "grf");
  }
  ~StoryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  StoryFolder(const StoryFolder&) = delete;
  StoryFolder& operator=(const StoryFolder&) = delete;

  // Writes a text file of the story: UTF-8 text in, code page 932 with CR LF on disk.
  void Write(const std::string& relative, std::string_view utf8) {
    WriteBytes(relative, SceneBytes(utf8));
  }
  void WriteBytes(const std::string& relative, const std::string& bytes) {
    const auto path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  void Remove(const std::string& relative) { std::filesystem::remove_all(root_ / relative); }
  std::string Path() const { return root_.string(); }

  // A small story that checks clean: three gift prompts' worth of points reach every ending.
  void WriteCleanStory() {
    Write("dat/lst.dat", "花\n指輪\n手紙\n");
    WriteBytes("grf/room.dat", BitmapBytes());
    WriteBytes("dat/bgm.mid", TuneOfMs(1000));
    Write("dat/00.dat", ">img>room\n雨が降っていた。\n-p\n>ive>10\n");
    Write("dat/10.dat", "彼女が来た。\n>花\n20\n20\n20\n");
    Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\n30\n");
    Write("dat/30.dat", "#hantei 好感度で分かれる\n>ending\n");
    WriteEndings();
  }

  // Endings that show their last page and start a new game.
  void WriteEndings(const std::vector<const char*>& endings = {"end1", "end2", "end3"}) {
    for (const char* ending : endings) {
      Write(std::string("dat/") + ending + ".dat", "おわり。\n-p\n>end\n");
    }
  }

  Story Load() const { return LoadFolder(Path()); }
  std::string Report(std::size_t state_limit = kDefaultStateLimit) const {
    return CheckReport(Path(), state_limit);
  }

 private:
  std::filesystem::path root_;
};

}  // namespace velune::testing
