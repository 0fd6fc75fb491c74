#pragma once

// What the tool tests share: the bundled story, a clean story to break, the checker's
// report and the scripted player's output.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "common/story_folder.h"
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

inline std::string SamplePath() { return VELUNE_SAMPLE; }

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
  std::ostringstream out;
  for (const Finding& f : CheckStory(story, SearchEndings(story, state_limit)).Sorted()) {
    WriteFindingLine(out, f);
  }
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

// A game folder on disk that the tools read.
class ToolStory : public StoryFolder {
 public:
  // A small story that checks clean: three gift prompts' worth of points reach every ending.
  void WriteCleanStory() const {
    Write("dat/lst.dat", "花\n指輪\n手紙\n");
    Bytes("grf/room.dat", BitmapBytes());
    Bytes("dat/bgm.mid", TuneOfMs(1000));
    Write("dat/00.dat", ">img>room\n雨が降っていた。\n-p\n>ive>10\n");
    Write("dat/10.dat", "彼女が来た。\n>花\n20\n20\n20\n");
    Write("dat/20.dat", "夜になった。\n>指輪\n10\n30\n30\n");
    Write("dat/30.dat", "#hantei 好感度で分かれる\n>ending\n");
    WriteEndings();
  }
  // Endings that show their last page and start a new game.
  void WriteEndings(const std::vector<const char*>& endings = {"end1", "end2", "end3"}) const {
    for (const char* ending : endings) {
      Write(std::string("dat/") + ending + ".dat", "おわり。\n-p\n>end\n");
    }
  }
  Story Load() const { return LoadFolder(Path()); }
  std::string Report(std::size_t state_limit = kDefaultStateLimit) const {
    return CheckReport(Path(), state_limit);
  }
};

}  // namespace velune::testing
