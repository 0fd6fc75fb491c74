#pragma once

// What the tool tests share: the bundled story, a clean story to break, the checker's
// report and how expected findings are matched, and the scripted player's output.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "common/story_folder.h"
#include "media/midi_bytes.h"
#include "story/disk_file_system.h"
#include "story/translation.h"
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

// Expected findings are written as the report writes them, each message cut to a key
// phrase that holds the story's names and numbers: the errors and warnings must be exactly
// these, the notes among the notes.
inline std::vector<std::string> FindingLines(const std::string& text, bool notes) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if ((line.find(": note: ") != std::string::npos) == notes) lines.push_back(line);
  }
  return lines;
}

// The same file, line and severity, and the message holds the expected phrase. What the
// checker adds in parentheses, where it applies, is part of the phrase: no parenthesis may
// follow it. An expected "[id]" at the end is the finding's identifier.
inline bool Matches(const std::string& line, std::string expected) {
  std::size_t where = 0;
  for (const char* severity : {": error: ", ": warning: ", ": note: "}) {
    if (const auto at = expected.find(severity); at != std::string::npos) {
      where = at + std::string(severity).size();
    }
  }
  const auto id = expected.rfind(" [");
  if (id != std::string::npos && expected.back() == ']') {
    if (!line.ends_with(expected.substr(id))) return false;
    expected.resize(id);
  }
  const std::size_t at = line.find(expected.substr(where), where);
  return line.compare(0, where, expected, 0, where) == 0 && at != std::string::npos &&
         line.find('(', at + expected.size() - where) == std::string::npos;
}

inline void ExpectFindings(const std::string& report, const std::string& expected) {
  const auto found = FindingLines(report, false);
  const auto wanted = FindingLines(expected, false);
  EXPECT_EQ(found.size(), wanted.size()) << report;
  for (std::size_t i = 0; i < std::min(found.size(), wanted.size()); ++i) {
    EXPECT_TRUE(Matches(found[i], wanted[i])) << wanted[i] << "\nis not:\n" << found[i];
  }
  const auto notes = FindingLines(report, true);
  for (const std::string& note : FindingLines(expected, true)) {
    EXPECT_TRUE(std::any_of(notes.begin(), notes.end(),
                            [&](const std::string& line) { return Matches(line, note); }))
        << note << "\nnot in:\n"
        << report;
  }
}

// What `report` gives with the language in use Japanese.
inline std::string InJapanese(const std::function<std::string()>& report) {
  UseLanguage(Language::kJapanese);
  const std::string japanese = report();
  UseLanguage(Language::kEnglish);
  return japanese;
}

// The same report in Japanese: the same findings at the same places with the same
// identifiers, each message translated: it differs from the English one and speaks
// Japanese outside the story's names and lines that it quotes.
inline void ExpectSameFindingsInJapanese(const std::string& english, const std::string& japanese) {
  const auto lines = [](const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  };
  const auto en = lines(english), ja = lines(japanese);
  ASSERT_EQ(en.size(), ja.size()) << japanese;
  for (std::size_t i = 0; i < en.size(); ++i) {
    const std::size_t place = en[i].find(": ") + 2;  // "dat/10.dat:3: "
    std::string own;                                 // the message outside its quotes
    for (bool quoted = false; char c : ja[i].substr(place)) {
      if (c == '"') quoted = !quoted;
      if (!quoted) own += c;
    }
    const bool speaks_japanese = std::any_of(own.begin(), own.end(), [](char c) {
      return static_cast<unsigned char>(c) >= 0xE3 && static_cast<unsigned char>(c) <= 0xE9;
    });
    EXPECT_TRUE(ja[i].compare(0, place, en[i], 0, place) == 0 &&
                ja[i].substr(ja[i].rfind(" [")) == en[i].substr(en[i].rfind(" [")) &&
                ja[i] != en[i] && speaks_japanese)
        << en[i] << "\nin Japanese:\n"
        << ja[i];
  }
}

// A game folder on disk that the tools read.
class ToolStory : public StoryFolder {
 public:
  // A small story that checks clean: three gift prompts' worth of points reach every ending.
  void WriteCleanStory() const {
    Write("dat/lst.dat", "花\n指輪\n手紙\n");
    Bytes("grf/room.dat", ReadFile(SamplePath() + "/grf/sky.dat"));
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
