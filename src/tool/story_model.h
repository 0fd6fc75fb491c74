#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "story/file_system.h"
#include "story/picture_port.h"
#include "tool/file_lookup.h"
#include "tool/scene_walk.h"
#include "tool/text_file.h"

namespace velune {

// How one scene leads to another.
enum class LinkKind {
  kJump,       // a jump line
  kRightGift,  // the right gift of a gift block
  kOtherwise,  // a wrong gift or the time-out of a gift block
  kEnding,     // an ending line, to end1, end2 or end3 by the love points
  kRestart,    // a restart line: a new game opens 00
};

// A scene that a scene line names, and the file the game opens for it.
struct SceneLink {
  LinkKind kind = LinkKind::kJump;
  std::size_t line = 0;  // the line that names it (for an ending or restart: that line)
  std::string name;      // as written ("11", "end2")
  FoundFile target;
  int ending = 0;  // 1 to 3 for an ending link
};

struct PictureUse {
  std::size_t line = 0;
  std::string name;
  FoundFile file;
  bool loads = false;  // the game's picture loader reads it
  bool png = false;    // a PNG file, which the original Windows game cannot show
};

// One scene file, read and walked as the game reads it.
struct Scene {
  std::string key;   // its file relative to the game folder: "dat/10.dat"
  std::string name;  // its scene name: "10"
  bool exists = false;
  std::optional<std::string> read_error;  // the file exists but cannot be read
  TextFile text;
  SceneWalk walk;
  std::vector<PictureUse> pictures;
  std::vector<SceneLink> links;  // in the order of their lines
  bool linked = false;  // some chain of jumps, gift blocks, ending lines leads here from 00

  // A scene the game can read to its exit.
  bool Readable() const { return exists && !read_error; }
  // The text of the line numbered `line` (1 for the first).
  const std::string& Line(std::size_t line) const { return text.lines.at(line - 1).text; }
};

// The gift list file dat/lst.dat, read as the game reads it.
struct GiftListFile {
  FoundFile file;
  std::optional<std::string> read_error;
  TextFile text;
  std::vector<std::string> items;  // one entry per line, empty lines included; up to a line
                                   // too long to be read (text.long_line)
  bool Usable() const { return file.Exists() && !read_error; }
  // The game reads the whole list at the start of every game: a line too long stops it.
  bool StartsGames() const { return Usable() && text.long_line == 0; }
};

struct Tune {
  FoundFile file;
  std::optional<std::string> read_error;
  bool playable = false;  // a Standard MIDI File the game's player takes
};

// A game folder as the game sees it: every scene that a line names or that lies in dat/,
// the gift list, the pictures that picture lines show, and the tune.
struct Story {
  std::string app_dir;
  bool dat_folder = false;                 // the game folder holds dat/, in any letter case
  bool holds_scene_files = false;          // 00.dat or lst.dat lie in the game folder itself
  std::vector<std::string> picture_names;  // the names the pictures of grf/ go by
  FoundFile start;                         // scene "00"
  std::array<FoundFile, 3> endings;        // end1, end2, end3
  GiftListFile gift_list;
  Tune tune;
  std::map<std::string, Scene> scenes;  // by key; named but missing files too

  const Scene* Find(const std::string& key) const;
  // 1 to 3 when `key` is the file of end1 to end3, else 0.
  int EndingNumber(const std::string& key) const;
  // True when a jump or a gift block names the scene of `key` (not only an ending line).
  bool NamedByJumpOrGift(const std::string& key) const;
};

// Reads the game folder `game_dir` through `files`, and tries every picture that a
// picture line names through `pictures`, as the game would show it.
Story LoadStory(FileSystem& files, PicturePort& pictures, const std::string& game_dir);

// "10" for "dat/10.dat", "ch2/01" for "dat/ch2/01.dat".
std::string SceneNameOfKey(const std::string& key);

}  // namespace velune
