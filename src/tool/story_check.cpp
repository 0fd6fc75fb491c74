#include "tool/story_check.h"

#include <algorithm>
#include <map>
#include <set>

#include "story/ascii.h"
#include "story/game_names.h"
#include "story/line_kind.h"
#include "story/line_reader.h"
#include "story/translation.h"
#include "tool/check_words.h"
#include "tool/ending_report.h"
#include "tool/line_look.h"
#include "tool/near_names.h"
#include "tool/text_checks.h"

namespace velune {
namespace {

// The scene that a link opens is named in the same words for each kind of link.
Message ByLink(LinkKind kind, Message jump, Message right_gift, Message otherwise) {
  return kind == LinkKind::kJump ? jump : kind == LinkKind::kRightGift ? right_gift : otherwise;
}

// Lines after the scene's way out: `first` to `last` (one line when they are the same), all of
// them empty or not. Its parts come in this order: the first line, the last line, what the
// scene leaves at (the gift block or a kind of line), the line it is on.
Message UnreadLinesMessage(bool empty, bool one) {
  if (empty) {
    return one ? Tr("check", "the empty line %1 is never read: the scene leaves at %2 on line %3")
               : Tr("check",
                    "the empty lines %1 to %2 are never read: the scene leaves at %3 on line %4");
  }
  return one ? Tr("check", "line %1 is never read: the scene leaves at %2 on line %3")
             : Tr("check", "lines %1 to %2 are never read: the scene leaves at %3 on line %4");
}

class Checker {
 public:
  Checker(const Story& story, const EndingSearch& search, const TextBox* box)
      : story_(story), search_(search), box_(box) {}

  Findings Run() {
    if (!story_.dat_folder) {
      findings_.Error("not-a-story-folder", "", 0,
                      story_.holds_scene_files
                          ? Tr("check",
                               "this folder holds the scene files itself, as a dat/ folder does: "
                               "give the folder above it, the game folder that holds dat/ and "
                               "grf/")
                          : Tr("check",
                               "there is no dat/ folder here: give the game folder, the one that "
                               "holds dat/ and grf/"));
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
                     use.lines > 1 ? Tr("check",
                                        "the game looks for %1 and finds %2 only because it "
                                        "ignores letter case, for %3 lines: rename %2 to %1")
                                         .Arg(use.wanted)
                                         .Arg(found)
                                         .Arg(use.lines)
                                   : Tr("check",
                                        "the game looks for %1 and finds %2 only because it "
                                        "ignores letter case: rename %2 to %1")
                                         .Arg(use.wanted)
                                         .Arg(found));
    }
  }

  void CheckStart() {
    const FoundFile& start = story_.start;
    if (start.match == NameMatch::kMissing) {
      findings_.Error("missing-start", start.file.display, 0,
                      Tr("check",
                         "scene 00 does not exist: every game starts with it, so the game stops "
                         "with an error at once"));
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
                      Tr("check",
                         "the gift list does not exist: the game stops with an error at the start "
                         "of every game"));
      return;
    }
    if (list.read_error) {
      findings_.Error("unreadable-file", file, 0,
                      Tr("check",
                         "the gift list cannot be read (%1): the game stops with an error at the "
                         "start of every game")
                          .Arg(*list.read_error));
      return;
    }
    CheckCaseOfFixedName(list.file, GamePath(kDatFolder, kGiftListName, kDataExtension));
    if (!CheckEncoding(list.text, findings_)) return;
    if (list.text.long_line != 0) {
      findings_.Error("line-too-long", file, list.text.long_line,
                      Tr("check",
                         "this line is longer than %1 bytes, too long for a story line: the game "
                         "stops with an error at the start of every game, when it reads the gift "
                         "list")
                          .Arg(kLongestLine));
    } else if (list.items.empty()) {
      findings_.Warning("empty-gift-list", file, 0,
                        Tr("check", "the gift list is empty: the player has nothing to give"));
    }
    std::map<std::string, std::size_t> first_line;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
      const std::string& item = list.items[i];
      if (item.empty()) {
        findings_.Warning(
            "empty-gift-entry", file, i + 1,
            Tr("check", "this empty line becomes an empty entry of the gift list; remove it"));
        continue;
      }
      const std::string prompt = ">" + item;
      const LineKind kind = ClassifyLine(prompt);
      if (kind != LineKind::kPrompt) {
        findings_.Warning("item-never-asked", file, i + 1,
                          Tr("check",
                             "no gift prompt can ask for %1: the line %2 is read as %3, because %4 "
                             "is tested before a prompt")
                              .Arg(Quoted(item))
                              .Arg(Quoted(prompt))
                              .Arg(KindNoun(kind))
                              .Arg(KeywordPlace(prompt, kind)));
      }
      const auto [first, fresh] = first_line.emplace(item, i + 1);
      if (!fresh) {
        findings_.Note("duplicate-item", file, i + 1,
                       Tr("check",
                          "%1 is on the list again (first on line %2): it can be given twice, and "
                          "either entry is right where it is wanted")
                           .Arg(Quoted(item))
                           .Arg(first->second));
      }
    }
  }

  void CheckTune() {
    const Tune& tune = story_.tune;
    const std::string& file = tune.file.file.display;
    if (tune.file.match == NameMatch::kMissing) {
      findings_.Warning("missing-tune", file, 0,
                        Tr("check", "the tune does not exist: the game plays without music"));
    } else if (tune.read_error) {
      findings_.Warning("unplayable-tune", file, 0,
                        Tr("check", "the tune cannot be read (%1): the game plays without music")
                            .Arg(*tune.read_error));
    } else if (!tune.playable) {
      findings_.Warning("unplayable-tune", file, 0,
                        Tr("check",
                           "the tune is not a Standard MIDI File (format 0 or 1): the game plays "
                           "without music"));
    }
    CheckCaseOfFixedName(tune.file, GamePath(kDatFolder, kTuneName, kTuneExtension));
  }

  void CheckScene(const Scene& scene) {
    if (!scene.exists) return;  // reported where it is named
    const std::string& file = scene.key;
    if (scene.read_error) {
      findings_.Error("unreadable-file", file, 0,
                      Tr("check",
                         "the scene file cannot be read (%1): the game stops with an error when "
                         "it opens it")
                          .Arg(*scene.read_error));
      return;
    }
    // Endings: see the findings of the search. Without 00, nothing would be linked.
    const bool start_exists = story_.start.Exists();
    if (!scene.linked && story_.EndingNumber(scene.key) == 0 && start_exists) {
      findings_.Warning("unlinked-scene", file, 0,
                        Tr("check",
                           "no jump, gift block or ending line leads to this scene from 00: no "
                           "play ever shows it"));
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
    // The kind of the line that leaves or fails; a line too long to be read has none.
    const bool classified = line > 0 && line <= walk.kinds.size() && walk.kinds[line - 1];
    const LineKind kind = classified ? *walk.kinds[line - 1] : LineKind::kText;
    switch (walk.exit) {
      case SceneExit::kEmpty:
        findings_.Error("empty-scene", file, 0,
                        Tr("check",
                           "the scene file is empty: the game stops with an error when it reads "
                           "its first line"));
        return;
      case SceneExit::kReadsPastEnd:
        findings_.Error("reads-past-end", file, line,
                        kind == LineKind::kPicture
                            ? Tr("check",
                                 "the file ends right after a picture line: the game reads "
                                 "past the end and stops with an error; end the scene with "
                                 "a jump, an ending line, a restart or a gift block")
                            : Tr("check",
                                 "the file ends right after an ignored line: the game reads "
                                 "past the end and stops with an error; end the scene with "
                                 "a jump, an ending line, a restart or a gift block"));
        return;
      case SceneExit::kNameTooShort:
        findings_.Error("name-too-short", file, line,
                        (kind == LineKind::kPicture
                             ? Tr("check",
                                  "a picture line %1 is shorter than five characters: the "
                                  "game stops with an error here; the name starts at the "
                                  "sixth character, as in \">img>town\"")
                             : Tr("check",
                                  "a jump line %1 is shorter than five characters: the game "
                                  "stops with an error here; the name starts at the sixth "
                                  "character, as in \">ive>10\""))
                            .Arg(Quoted(scene.Line(line))));
        return;
      case SceneExit::kStandsStill:
        findings_.Error("stands-still", file, line,
                        kind == LineKind::kPageBreak
                            ? Tr("check",
                                 "the scene ends on a page break: the game shows the continue "
                                 "mark and stands still for good; end the scene with a jump, an "
                                 "ending line, a restart or a gift block")
                            : Tr("check",
                                 "the scene ends on story text: the game shows the continue mark "
                                 "and stands still for good; end the scene with a jump, an ending "
                                 "line, a restart or a gift block"));
        return;
      case SceneExit::kLineTooLong:
        findings_.Error("line-too-long", file, line,
                        Tr("check",
                           "this line is longer than %1 bytes, too long for a story line: the "
                           "game stops with an error when it reads it")
                            .Arg(kLongestLine));
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
    const bool one = walk.first_unread == last;
    const std::size_t leaves_at = walk.gift ? walk.gift->prompt_line : walk.exit_line;
    Message unread = UnreadLinesMessage(all_empty, one);
    unread.Arg(walk.first_unread);
    if (!one) unread.Arg(last);
    unread.Arg(walk.gift ? Tr("check", "the gift block").Text()
                         : KindNoun(*walk.kinds[leaves_at - 1]));
    unread.Arg(leaves_at);
    // A line too long to be read ends them.
    const std::string message =
        walk.long_line == 0
            ? unread.Text()
            : Tr("check", "%1 (line %2 is longer than %3 bytes, too long for a story line)")
                  .Arg(unread.Text())
                  .Arg(walk.long_line)
                  .Arg(kLongestLine)
                  .Text();
    if (all_empty) {
      findings_.Note("unread-lines", scene.key, walk.first_unread, message);
    } else {
      findings_.Warning("unread-lines", scene.key, walk.first_unread, message);
    }
  }

  void CheckGift(const Scene& scene) {
    const GiftBlockLines& gift = *scene.walk.gift;
    const std::string& file = scene.key;
    // The third line is read only after a wrong gift or the time-out; the others at every
    // answer.
    const bool at_every_answer = gift.lines_after < 2;
    if (gift.lines_after < 3 && scene.walk.long_line != 0) {
      findings_.Error(
          "line-too-long", file, scene.walk.long_line,
          (at_every_answer ? Tr("check",
                                "this line of the gift block on line %1 is longer than %2 bytes, "
                                "too long for a story line: the game stops with an error when it "
                                "reads it, at every answer")
                           : Tr("check",
                                "this line of the gift block on line %1 is longer than %2 bytes, "
                                "too long for a story line: the game stops with an error when it "
                                "reads it, after a wrong gift or the time-out"))
              .Arg(gift.prompt_line)
              .Arg(kLongestLine));
    } else if (gift.lines_after < 3) {
      findings_.Error(
          "short-gift-block", file, gift.prompt_line,
          (at_every_answer ? Tr("check",
                                "the gift block has %1 of the three lines it needs after the "
                                "prompt (points, the scene after the right gift, the scene "
                                "otherwise): the game reads past the end of the file and stops "
                                "with an error at every answer")
                           : Tr("check",
                                "the gift block has %1 of the three lines it needs after the "
                                "prompt (points, the scene after the right gift, the scene "
                                "otherwise): the game reads past the end of the file and stops "
                                "with an error after a wrong gift or the time-out"))
              .Arg(gift.lines_after));
    }
    const GiftListFile& list = story_.gift_list;
    if (list.Usable() &&
        std::find(list.items.begin(), list.items.end(), gift.item) == list.items.end()) {
      const std::string message =
          gift.otherwise
              ? Tr("check",
                   "the present %1 is not in %2, so it can never be given right: every "
                   "answer leads to %3")
                    .Arg(Quoted(gift.item))
                    .Arg(list.file.file.display)
                    .Arg(Quoted(gift.otherwise->name))
              : Tr("check", "the present %1 is not in %2, so it can never be given right")
                    .Arg(Quoted(gift.item))
                    .Arg(list.file.file.display);
      findings_.Warning("unknown-item", file, gift.prompt_line, message + NearItem(gift.item));
    }
    if (gift.lines_after >= 1)
      CheckPointsLine(file, gift.prompt_line + 1, gift.points_text, findings_);
  }

  // A hint when the list holds the item spelled a little differently.
  std::string NearItem(const std::string& item) const {
    if (item == "p") return " " + Tr("check", "(a page break is written \"-p\")").Text();
    const auto& items = story_.gift_list.items;
    const auto nearest = NearestName(item, items);
    if (!nearest) return "";
    const auto line = std::find(items.begin(), items.end(), *nearest) - items.begin() + 1;
    return " " + Tr("check", "(did you mean %1, on %2:%3? The names must match exactly)")
                     .Arg(Quoted(*nearest))
                     .Arg(story_.gift_list.file.file.display)
                     .Arg(line)
                     .Text();
  }

  void CheckPictures(const Scene& scene) {
    for (const PictureUse& picture : scene.pictures) {
      const std::string& shown = picture.file.file.display;
      switch (picture.file.match) {
        case NameMatch::kOutsideFolder:
          findings_.Warning("name-outside-folder", scene.key, picture.line,
                            Tr("check",
                               "the picture name %1 does not name a file in the game folder: the "
                               "game keeps the picture it shows")
                                .Arg(Quoted(picture.name)));
          continue;
        case NameMatch::kMissing:
          findings_.Warning(
              "missing-picture", scene.key, picture.line,
              Tr("check", "the picture %1 does not exist: the game keeps the picture it shows")
                      .Arg(shown)
                      .Text() +
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
                       Tr("check",
                          "%1 is a PNG picture: Velune shows it, but the original Windows game "
                          "reads only BMP, JPEG and GIF pictures")
                           .Arg(shown));
      }
      if (!picture.loads) {
        findings_.Warning("unshowable-picture", scene.key, picture.line,
                          Tr("check",
                             "%1 is not a picture the game can show (a BMP, JPEG or GIF file): the "
                             "game keeps the picture it shows")
                              .Arg(shown));
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
      const std::string& target = link.target.file.display;
      switch (link.target.match) {
        case NameMatch::kOutsideFolder:
          findings_.Error(
              "name-outside-folder", scene.key, link.line,
              ByLink(link.kind,
                     Tr("check",
                        "the jump line opens %1, which does not name a file in the game folder: "
                        "the game stops with an error here"),
                     Tr("check",
                        "the right gift opens %1, which does not name a file in the game folder: "
                        "the game stops with an error here"),
                     Tr("check",
                        "a wrong gift or the time-out opens %1, which does not name a file in the "
                        "game folder: the game stops with an error here"))
                  .Arg(Quoted(link.name)));
          break;
        case NameMatch::kMissing: {
          const std::string message =
              link.name.empty()
                  ? ByLink(link.kind,
                           Tr("check",
                              "the jump line opens an empty scene name, that is the file %1, "
                              "which does not exist: the game stops with an error here"),
                           Tr("check",
                              "the right gift opens an empty scene name, that is the file %1, "
                              "which does not exist: the game stops with an error here"),
                           Tr("check",
                              "a wrong gift or the time-out opens an empty scene name, that is "
                              "the file %1, which does not exist: the game stops with an error "
                              "here"))
                        .Arg(target)
                  : ByLink(link.kind,
                           Tr("check",
                              "the jump line opens the scene %1, but %2 does not exist: the game "
                              "stops with an error here"),
                           Tr("check",
                              "the right gift opens the scene %1, but %2 does not exist: the game "
                              "stops with an error here"),
                           Tr("check",
                              "a wrong gift or the time-out opens the scene %1, but %2 does not "
                              "exist: the game stops with an error here"))
                        .Arg(Quoted(link.name))
                        .Arg(target);
          findings_.Error("missing-scene", scene.key, link.line,
                          message + NameHint(link.name, SceneNames()));
          break;
        }
        case NameMatch::kIgnoringCase:
          FoundIgnoringCase(scene.key, link.line, link.target,
                            GamePath(kDatFolder, link.name, kDataExtension));
          break;
        case NameMatch::kExact:
          if (link.name.empty()) {
            findings_.Warning(
                "empty-scene-name", scene.key, link.line,
                ByLink(link.kind,
                       Tr("check", "the jump line opens an empty scene name, that is the file %1"),
                       Tr("check", "the right gift opens an empty scene name, that is the file %1"),
                       Tr("check",
                          "a wrong gift or the time-out opens an empty scene name, that is the "
                          "file %1"))
                    .Arg(target));
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
