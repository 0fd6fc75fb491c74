#include "tool/story_check.h"

#include <algorithm>
#include <map>
#include <set>

#include "story/ascii.h"
#include "story/game_names.h"
#include "story/line_kind.h"
#include "story/line_reader.h"
#include "tool/check_words.h"
#include "tool/ending_report.h"
#include "tool/line_look.h"
#include "tool/near_names.h"
#include "tool/text_checks.h"

namespace velune {
namespace {

constexpr char kLeadsOn[] = "end the scene with a jump, an ending line, a restart or a gift block";

std::string LongerThanALine() {
  return "longer than " + std::to_string(kLongestLine) + " bytes, too long for a story line";
}

class Checker {
 public:
  Checker(const Story& story, const EndingSearch& search, const TextBox* box)
      : story_(story), search_(search), box_(box) {}

  Findings Run() {
    if (!story_.dat_folder) {
      findings_.Error("not-a-story-folder", "", 0,
                      story_.holds_scene_files
                          ? "this folder holds the scene files itself, as a dat/ folder does: "
                            "give the folder above it, the game folder that holds dat/ and grf/"
                          : "there is no dat/ folder here: give the game folder, the one that "
                            "holds dat/ and grf/");
      return std::move(findings_);
    }
    CheckStart();
    CheckGiftList();
    CheckTune();
    for (const auto& [key, scene] : story_.scenes) CheckScene(scene);
    ReportReachability(story_, search_, findings_);
    if (box_) CheckPages(story_, *box_, findings_);
    ReportCaseUses();
    return std::move(findings_);
  }

 private:
  // A file that the game names itself (00, lst, bgm.mid, the endings) found only by case.
  void CheckCaseOfFixedName(const FoundFile& file, const std::string& expected) {
    if (file.match == NameMatch::kIgnoringCase) {
      FoundIgnoringCase(file.file.display, 0, file, expected);
    }
  }

  // The game finds a file whose name differs in letter case from the name it builds, as
  // Windows does: one note per file, at its first use, with the name to give the file.
  void FoundIgnoringCase(const std::string& file, std::size_t line, const FoundFile& found,
                         const std::string& wanted) {
    ++case_uses_.try_emplace(found.file.display, CaseUse{file, line, wanted}).first->second.lines;
  }

  void ReportCaseUses() {
    for (const auto& [found, use] : case_uses_) {
      findings_.Note("name-case", use.file, use.line,
                     "the game looks for " + use.wanted + " and finds " + found +
                         " only because it ignores letter case" +
                         (use.lines > 1 ? ", for " + std::to_string(use.lines) + " lines" : "") +
                         ": rename " + found + " to " + use.wanted);
    }
  }

  void CheckStart() {
    const FoundFile& start = story_.start;
    if (start.match == NameMatch::kMissing) {
      findings_.Error("missing-start", start.file.display, 0,
                      "scene 00 does not exist: every game starts with it, so the game stops with "
                      "an error at once");
    }
    CheckCaseOfFixedName(start, GamePath(kDatFolder, kFirstScene, kDataExtension));
    for (int n = 1; n <= 3; ++n) {
      CheckCaseOfFixedName(story_.endings[static_cast<std::size_t>(n - 1)],
                           GamePath(kDatFolder, "end" + std::to_string(n), kDataExtension));
    }
  }

  void CheckGiftList() {
    const GiftListFile& list = story_.gift_list;
    const std::string& file = list.file.file.display;
    if (list.file.match == NameMatch::kMissing) {
      findings_.Error("missing-gift-list", file, 0,
                      "the gift list does not exist: the game stops with an error at the start of "
                      "every game");
      return;
    }
    if (list.read_error) {
      findings_.Error("unreadable-file", file, 0,
                      "the gift list cannot be read (" + *list.read_error +
                          "): the game stops with an error at the start of every game");
      return;
    }
    CheckCaseOfFixedName(list.file, GamePath(kDatFolder, kGiftListName, kDataExtension));
    if (!CheckEncoding(list.text, findings_)) return;
    if (list.text.long_line != 0) {
      findings_.Error("line-too-long", file, list.text.long_line,
                      "this line is " + LongerThanALine() +
                          ": the game stops with an error at the start of every game, when it "
                          "reads the gift list");
    } else if (list.items.empty()) {
      findings_.Warning("empty-gift-list", file, 0,
                        "the gift list is empty: the player has nothing to give");
    }
    std::map<std::string, std::size_t> first_line;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
      const std::string& item = list.items[i];
      if (item.empty()) {
        findings_.Warning("empty-gift-entry", file, i + 1,
                          "this empty line becomes an empty entry of the gift list; remove it");
        continue;
      }
      const std::string prompt = ">" + item;
      const LineKind kind = ClassifyLine(prompt);
      if (kind != LineKind::kPrompt) {
        findings_.Warning("item-never-asked", file, i + 1,
                          "no gift prompt can ask for " + Quoted(item) + ": the line " +
                              Quoted(prompt) + " is read as " + KindNoun(kind) + ", because " +
                              KeywordPlace(prompt, kind) + " is tested before a prompt");
      }
      const auto [first, fresh] = first_line.emplace(item, i + 1);
      if (!fresh) {
        findings_.Note(
            "duplicate-item", file, i + 1,
            Quoted(item) + " is on the list again (first on line " + std::to_string(first->second) +
                "): it can be given twice, and either entry is right where it is wanted");
      }
    }
  }

  void CheckTune() {
    const Tune& tune = story_.tune;
    const std::string& file = tune.file.file.display;
    if (tune.file.match == NameMatch::kMissing) {
      findings_.Warning("missing-tune", file, 0,
                        "the tune does not exist: the game plays without music");
    } else if (tune.read_error) {
      findings_.Warning(
          "unplayable-tune", file, 0,
          "the tune cannot be read (" + *tune.read_error + "): the game plays without music");
    } else if (!tune.playable) {
      findings_.Warning("unplayable-tune", file, 0,
                        "the tune is not a Standard MIDI File (format 0 or 1): the game plays "
                        "without music");
    }
    CheckCaseOfFixedName(tune.file, GamePath(kDatFolder, kTuneName, kTuneExtension));
  }

  void CheckScene(const Scene& scene) {
    if (!scene.exists) return;  // reported where it is named
    const std::string& file = scene.key;
    if (scene.read_error) {
      findings_.Error("unreadable-file", file, 0,
                      "the scene file cannot be read (" + *scene.read_error +
                          "): the game stops with an error when it opens it");
      return;
    }
    // Endings: see the findings of the search. Without 00, nothing would be linked.
    const bool start_exists = story_.start.Exists();
    if (!scene.linked && story_.EndingNumber(scene.key) == 0 && start_exists) {
      findings_.Warning("unlinked-scene", file, 0,
                        "no jump, gift block or ending line leads to this scene from 00: no "
                        "play ever shows it");
    }
    if (!CheckEncoding(scene.text, findings_)) return;
    CheckLineLooks(scene.text, scene.walk, findings_);
    CheckExit(scene);
    CheckPictures(scene);
    CheckLinks(scene);
  }

  void CheckExit(const Scene& scene) {
    const SceneWalk& walk = scene.walk;
    const std::string& file = scene.key;
    const std::size_t line = walk.exit_line;
    switch (walk.exit) {
      case SceneExit::kEmpty:
        findings_.Error("empty-scene", file, 0,
                        "the scene file is empty: the game stops with an error when it reads its "
                        "first line");
        return;
      case SceneExit::kReadsPastEnd:
        findings_.Error("reads-past-end", file, line,
                        "the file ends right after " + KindNoun(*walk.kinds[line - 1]) +
                            ": the game reads past the end and stops with an error; " + kLeadsOn);
        return;
      case SceneExit::kNameTooShort:
        findings_.Error(
            "name-too-short", file, line,
            KindNoun(*walk.kinds[line - 1]) + " " + Quoted(scene.Line(line)) +
                " is shorter than five characters: the game stops with an error "
                "here; the name starts at the sixth character, as in " +
                (*walk.kinds[line - 1] == LineKind::kJump ? "\">ive>10\"" : "\">img>town\""));
        return;
      case SceneExit::kStandsStill:
        findings_.Error("stands-still", file, line,
                        "the scene ends on " + KindNoun(*walk.kinds[line - 1]) +
                            ": the game shows the continue mark and stands still for good; " +
                            kLeadsOn);
        return;
      case SceneExit::kLineTooLong:
        findings_.Error("line-too-long", file, line,
                        "this line is " + LongerThanALine() +
                            ": the game stops with an error when it reads it");
        return;
      case SceneExit::kGift:
        CheckGift(scene);
        break;
      case SceneExit::kJump:
      case SceneExit::kEnding:
      case SceneExit::kRestart:
        break;
    }
    CheckUnread(scene);
  }

  void CheckUnread(const Scene& scene) {
    const SceneWalk& walk = scene.walk;
    if (walk.first_unread == 0) return;
    const std::size_t last = walk.long_line != 0 ? walk.long_line : scene.text.lines.size();
    bool all_empty = walk.long_line == 0;
    for (std::size_t n = walk.first_unread; n <= scene.text.lines.size(); ++n) {
      if (!TrimmedBlanks(scene.Line(n)).empty()) all_empty = false;
    }
    const std::string lines =
        walk.first_unread == last
            ? "line " + std::to_string(last) + " is"
            : "lines " + std::to_string(walk.first_unread) + " to " + std::to_string(last) + " are";
    const std::size_t leaves_at = walk.gift ? walk.gift->prompt_line : walk.exit_line;
    const std::string how =
        walk.gift ? "the gift block on line " + std::to_string(leaves_at)
                  : KindNoun(*walk.kinds[leaves_at - 1]) + " on line " + std::to_string(leaves_at);
    if (all_empty) {
      findings_.Note("unread-lines", scene.key, walk.first_unread,
                     "the empty " + lines + " never read: the scene leaves at " + how);
    } else {
      findings_.Warning("unread-lines", scene.key, walk.first_unread,
                        lines + " never read: the scene leaves at " + how +
                            (walk.long_line != 0 ? " (line " + std::to_string(walk.long_line) +
                                                       " is " + LongerThanALine() + ")"
                                                 : ""));
    }
  }

  void CheckGift(const Scene& scene) {
    const GiftBlockLines& gift = *scene.walk.gift;
    const std::string& file = scene.key;
    const char* when =
        gift.lines_after == 2 ? "after a wrong gift or the time-out" : "at every answer";
    if (gift.lines_after < 3 && scene.walk.long_line != 0) {
      findings_.Error("line-too-long", file, scene.walk.long_line,
                      "this line of the gift block on line " + std::to_string(gift.prompt_line) +
                          " is " + LongerThanALine() +
                          ": the game stops with an error when it reads it, " + when);
    } else if (gift.lines_after < 3) {
      findings_.Error(
          "short-gift-block", file, gift.prompt_line,
          "the gift block has " + std::to_string(gift.lines_after) +
              " of the three lines it needs after the prompt (points, the scene after the right "
              "gift, the scene otherwise): the game reads past the end of the file and stops "
              "with an error " +
              when);
    }
    const GiftListFile& list = story_.gift_list;
    if (list.Usable() &&
        std::find(list.items.begin(), list.items.end(), gift.item) == list.items.end()) {
      std::string message = "the present " + Quoted(gift.item) + " is not in " +
                            list.file.file.display + ", so it can never be given right";
      if (gift.otherwise) {
        message += ": every answer leads to " + Quoted(gift.otherwise->name);
      }
      message += NearItem(gift.item);
      findings_.Warning("unknown-item", file, gift.prompt_line, message);
    }
    if (gift.lines_after >= 1)
      CheckPointsLine(file, gift.prompt_line + 1, gift.points_text, findings_);
  }

  // A hint when the list holds the item spelled a little differently.
  std::string NearItem(const std::string& item) const {
    if (item == "p") return " (a page break is written \"-p\")";
    const auto& items = story_.gift_list.items;
    const auto nearest = NearestName(item, items);
    if (!nearest) return "";
    const auto line = std::find(items.begin(), items.end(), *nearest) - items.begin() + 1;
    return " (did you mean " + Quoted(*nearest) + ", on " + story_.gift_list.file.file.display +
           ":" + std::to_string(line) + "? The names must match exactly)";
  }

  void CheckPictures(const Scene& scene) {
    for (const PictureUse& picture : scene.pictures) {
      const std::string& shown = picture.file.file.display;
      switch (picture.file.match) {
        case NameMatch::kOutsideFolder:
          findings_.Warning("name-outside-folder", scene.key, picture.line,
                            "the picture name " + Quoted(picture.name) +
                                " does not name a file in the game folder: the game keeps the "
                                "picture it shows");
          continue;
        case NameMatch::kMissing:
          findings_.Warning("missing-picture", scene.key, picture.line,
                            "the picture " + shown +
                                " does not exist: the game keeps the picture it shows" +
                                NameHint(picture.name, story_.picture_names));
          continue;
        case NameMatch::kIgnoringCase:
          FoundIgnoringCase(scene.key, picture.line, picture.file,
                            GamePath(kGrfFolder, picture.name, kDataExtension));
          break;
        case NameMatch::kExact:
          break;
      }
      if (picture.png && png_noted_.insert(shown).second) {
        findings_.Note("png-picture", scene.key, picture.line,
                       shown +
                           " is a PNG picture: Velune shows it, but the original Windows game "
                           "reads only BMP, JPEG and GIF pictures");
      }
      if (!picture.loads) {
        findings_.Warning("unshowable-picture", scene.key, picture.line,
                          shown +
                              " is not a picture the game can show (a BMP, JPEG or GIF file): the "
                              "game keeps the picture it shows");
      }
    }
  }

  std::vector<std::string> SceneNames() const {
    std::vector<std::string> names;
    for (const auto& [key, scene] : story_.scenes) {
      if (scene.exists) names.push_back(scene.name);
    }
    return names;
  }

  void CheckLinks(const Scene& scene) {
    for (const SceneLink& link : scene.links) {
      if (link.kind == LinkKind::kEnding || link.kind == LinkKind::kRestart) continue;
      const std::string opener = link.kind == LinkKind::kJump        ? "the jump line opens"
                                 : link.kind == LinkKind::kRightGift ? "the right gift opens"
                                                                     : "a wrong gift or the "
                                                                       "time-out opens";
      const std::string& target = link.target.file.display;
      switch (link.target.match) {
        case NameMatch::kOutsideFolder:
          findings_.Error("name-outside-folder", scene.key, link.line,
                          opener + " " + Quoted(link.name) +
                              ", which does not name a file in the game folder: the game stops "
                              "with an error here");
          break;
        case NameMatch::kMissing: {
          std::string message =
              link.name.empty() ? opener + " an empty scene name, that is the file " + target +
                                      ", which does not exist: the game stops with an error here"
                                : opener + " the scene " + Quoted(link.name) + ", but " + target +
                                      " does not exist: the game stops with an error here";
          message += NameHint(link.name, SceneNames());
          findings_.Error("missing-scene", scene.key, link.line, message);
          break;
        }
        case NameMatch::kIgnoringCase:
          FoundIgnoringCase(scene.key, link.line, link.target,
                            GamePath(kDatFolder, link.name, kDataExtension));
          break;
        case NameMatch::kExact:
          if (link.name.empty()) {
            findings_.Warning("empty-scene-name", scene.key, link.line,
                              opener + " an empty scene name, that is the file " + target);
          }
          break;
      }
    }
  }

  struct CaseUse {
    std::string file;  // where the file is first named
    std::size_t line = 0;
    std::string wanted;     // the name the game looks for
    std::size_t lines = 0;  // how many lines name the file
  };

  const Story& story_;
  const EndingSearch& search_;
  const TextBox* box_;
  Findings findings_;
  std::map<std::string, CaseUse> case_uses_;  // by the file found
  std::set<std::string> png_noted_;
};

}  // namespace

Findings CheckStory(const Story& story, const EndingSearch& search, const TextBox* box) {
  return Checker(story, search, box).Run();
}

}  // namespace velune
