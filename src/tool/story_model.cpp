#include "tool/story_model.h"

#include <algorithm>
#include <deque>
#include <set>
#include <stdexcept>
#include <tuple>

#include "media/midi_length.h"
#include "media/tune_file.h"
#include "story/ascii.h"
#include "story/game_folder.h"
#include "story/game_names.h"
#include "story/platform_paths.h"

namespace velune {
namespace {

class StoryLoader {
 public:
  StoryLoader(FileSystem& files, PicturePort& pictures, const std::string& game_dir)
      : files_(files), pictures_(pictures) {
    story_.app_dir = WithTrailingSeparator(game_dir);
  }

  Story Load() {
    story_.start = Locate(kDatFolder, kFirstScene, kDataExtension);
    for (int n = 1; n <= 3; ++n) {
      story_.endings[n - 1] = Locate(kDatFolder, "end" + std::to_string(n), kDataExtension);
    }
    story_.holds_scene_files = files_.IsFile(story_.app_dir + kFirstScene + kDataExtension) ||
                               files_.IsFile(story_.app_dir + kGiftListName + kDataExtension);
    LoadGiftList();
    LoadTune();
    ListPictures();
    Want(story_.start);
    for (const std::string& key : SceneFilesInFolder()) {
      Want(FoundFile{NameMatch::kExact, GameFile{story_.app_dir + key, key}});
    }
    while (!pending_.empty()) {
      const FoundFile next = pending_.front();
      pending_.pop_front();
      LoadScene(next);
    }
    MarkLinked();
    return std::move(story_);
  }

 private:
  FoundFile Locate(std::string_view folder, std::string_view name, std::string_view extension) {
    return LocateGameFile(files_, story_.app_dir, GamePath(folder, name, extension));
  }

  void LoadGiftList() {
    GiftListFile& list = story_.gift_list;
    list.file = Locate(kDatFolder, kGiftListName, kDataExtension);
    if (!list.file.Exists()) return;
    try {
      list.text = ReadTextFile(files_, list.file.file);
    } catch (const std::runtime_error& e) {
      list.read_error = e.what();
      return;
    }
    for (const TextLine& line : list.text.lines) list.items.push_back(line.text);
  }

  void LoadTune() {
    Tune& tune = story_.tune;
    tune.file = Locate(kDatFolder, kTuneName, kTuneExtension);
    if (!tune.file.Exists()) return;
    try {
      // The game's devices refuse a file too large for a tune before they look inside.
      const std::string bytes = ReadFileBytes(files_, tune.file.file.path);
      tune.playable = bytes.size() <= kLargestTune && ReadMidiFacts(bytes).has_value();
    } catch (const std::runtime_error& e) {
      tune.read_error = e.what();
    }
  }

  void ListPictures() {
    for (const std::string& name : files_.List(story_.app_dir + kGrfFolder)) {
      if (EndsWithIgnoringAsciiCase(name, kDataExtension)) {
        story_.picture_names.push_back(
            name.substr(0, name.size() - std::string_view(kDataExtension).size()));
      }
    }
    std::sort(story_.picture_names.begin(), story_.picture_names.end());
  }

  // The scene files of the dat folder and its subfolders, but the gift list.
  std::vector<std::string> SceneFilesInFolder() {
    std::vector<std::string> keys;
    std::string dat = kDatFolder;
    if (!files_.IsFolder(story_.app_dir + dat)) {
      for (const std::string& name : files_.List(story_.app_dir)) {
        if (name.size() == dat.size() && EndsWithIgnoringAsciiCase(name, dat) &&
            files_.IsFolder(story_.app_dir + name)) {
          dat = name;
          break;
        }
      }
    }
    story_.dat_folder = files_.IsFolder(story_.app_dir + dat);
    std::vector<std::string> folders{dat};
    while (!folders.empty()) {
      const std::string folder = folders.back();
      folders.pop_back();
      std::vector<std::string> names = files_.List(story_.app_dir + folder);
      std::sort(names.begin(), names.end());
      for (const std::string& name : names) {
        const std::string key = folder + kPathSeparator + name;
        if (files_.IsFolder(story_.app_dir + key)) {
          folders.push_back(key);
        } else if (EndsWithIgnoringAsciiCase(name, kDataExtension) &&
                   !(story_.gift_list.file.Exists() && key == story_.gift_list.file.file.display)) {
          keys.push_back(key);
        }
      }
    }
    return keys;
  }

  void Want(const FoundFile& file) {
    if (file.match == NameMatch::kOutsideFolder) return;
    if (!wanted_.insert(file.file.display).second) return;
    pending_.push_back(file);
  }

  SceneLink Link(LinkKind kind, std::size_t line, const std::string& name, int ending = 0) {
    SceneLink link{kind, line, name, Locate(kDatFolder, name, kDataExtension), ending};
    Want(link.target);
    return link;
  }

  void LoadScene(const FoundFile& file) {
    Scene scene;
    scene.key = file.file.display;
    scene.name = SceneNameOfKey(scene.key);
    scene.exists = file.Exists();
    if (scene.exists) {
      try {
        scene.text = ReadTextFile(files_, file.file);
      } catch (const std::runtime_error& e) {
        scene.read_error = e.what();
      }
    }
    if (scene.Readable()) {
      std::vector<std::string> lines;
      for (const TextLine& line : scene.text.lines) lines.push_back(line.text);
      scene.walk = WalkScene(lines, scene.text.long_line != 0);
      for (const PictureLine& picture : scene.walk.pictures) AddPicture(scene, picture);
      AddLinks(scene);
    }
    story_.scenes.emplace(scene.key, std::move(scene));
  }

  void AddPicture(Scene& scene, const PictureLine& picture) {
    PictureUse use{picture.line, picture.name, {}, false, false};
    if (picture.name.empty()) return;  // only repaints the present picture
    use.file = Locate(kGrfFolder, picture.name, kDataExtension);
    if (use.file.Exists()) {
      const std::string& path = use.file.file.path;
      auto known = picture_facts_.find(path);
      if (known == picture_facts_.end()) {
        const bool loads = pictures_.Load(path);
        known = picture_facts_.emplace(path, std::pair{loads, loads && IsPng(path)}).first;
      }
      std::tie(use.loads, use.png) = known->second;
    }
    scene.pictures.push_back(std::move(use));
  }

  // Only the signature is read: the picture itself was read once to load it.
  bool IsPng(const std::string& path) {
    constexpr std::string_view kSignature = "\x89PNG\r\n\x1A\n";
    char start[kSignature.size()] = {};
    try {
      const auto source = files_.OpenRead(path);
      std::size_t got = 0;
      while (got < sizeof start) {
        const std::size_t n = source->Read(start + got, sizeof start - got);
        if (n == 0) break;
        got += n;
      }
      return std::string_view(start, got) == kSignature;
    } catch (const std::runtime_error&) {
      return false;
    }
  }

  void AddLinks(Scene& scene) {
    const SceneWalk& walk = scene.walk;
    switch (walk.exit) {
      case SceneExit::kJump:
        scene.links.push_back(Link(LinkKind::kJump, walk.jump->line, walk.jump->name));
        break;
      case SceneExit::kGift:
        if (walk.gift->right) {
          scene.links.push_back(
              Link(LinkKind::kRightGift, walk.gift->right->line, walk.gift->right->name));
        }
        if (walk.gift->otherwise) {
          scene.links.push_back(
              Link(LinkKind::kOtherwise, walk.gift->otherwise->line, walk.gift->otherwise->name));
        }
        break;
      case SceneExit::kEnding:
        for (int n = 1; n <= 3; ++n) {
          scene.links.push_back(
              Link(LinkKind::kEnding, walk.exit_line, "end" + std::to_string(n), n));
        }
        break;
      case SceneExit::kRestart:
        scene.links.push_back(Link(LinkKind::kRestart, walk.exit_line, kFirstScene));
        break;
      case SceneExit::kStandsStill:
      case SceneExit::kReadsPastEnd:
      case SceneExit::kEmpty:
      case SceneExit::kNameTooShort:
      case SceneExit::kLineTooLong:
        break;  // the scene leads nowhere
    }
  }

  void MarkLinked() {
    if (story_.start.match == NameMatch::kOutsideFolder) return;
    std::deque<std::string> queue{story_.start.file.display};
    while (!queue.empty()) {
      const auto it = story_.scenes.find(queue.front());
      queue.pop_front();
      if (it == story_.scenes.end() || it->second.linked) continue;
      it->second.linked = true;
      for (const SceneLink& link : it->second.links) {
        if (link.target.match != NameMatch::kOutsideFolder)
          queue.push_back(link.target.file.display);
      }
    }
  }

  FileSystem& files_;
  PicturePort& pictures_;
  Story story_;
  std::set<std::string> wanted_;
  std::deque<FoundFile> pending_;
  std::map<std::string, std::pair<bool, bool>> picture_facts_;  // loads, is a PNG
};

}  // namespace

const Scene* Story::Find(const std::string& key) const {
  const auto it = scenes.find(key);
  return it == scenes.end() ? nullptr : &it->second;
}

int Story::EndingNumber(const std::string& key) const {
  for (int n = 1; n <= 3; ++n) {
    const FoundFile& file = endings[static_cast<std::size_t>(n - 1)];
    if (file.match != NameMatch::kOutsideFolder && file.file.display == key) return n;
  }
  return 0;
}

bool Story::NamedByJumpOrGift(const std::string& key) const {
  for (const auto& [k, scene] : scenes) {
    for (const SceneLink& link : scene.links) {
      if ((link.kind == LinkKind::kJump || link.kind == LinkKind::kRightGift ||
           link.kind == LinkKind::kOtherwise) &&
          link.target.match != NameMatch::kOutsideFolder && link.target.file.display == key) {
        return true;
      }
    }
  }
  return false;
}

Story LoadStory(FileSystem& files, PicturePort& pictures, const std::string& game_dir) {
  return StoryLoader(files, pictures, game_dir).Load();
}

std::string SceneNameOfKey(const std::string& key) {
  std::string name = key;
  const std::size_t separator = name.find_first_of("/\\");
  if (separator != std::string::npos) name.erase(0, separator + 1);
  if (EndsWithIgnoringAsciiCase(name, kDataExtension)) {
    name.erase(name.size() - std::string_view(kDataExtension).size());
  }
  return name;
}

}  // namespace velune
