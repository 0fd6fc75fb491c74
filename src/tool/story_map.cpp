#include "tool/story_map.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "story/love_points.h"
#include "story/text_decoding.h"
#include "story/translation.h"
#include "tool/check_words.h"

namespace velune {
namespace {

constexpr std::size_t kFirstLineLimit = 14;

// Colours: slate for scenes, the endings' purple for their fill, one colour per kind of
// arrow, grey for what no play reaches; red marks errors only.
constexpr char kSceneBorder[] = "#3d5a80";
constexpr char kSceneFill[] = "#f6f8fb";
constexpr char kEndingFill[] = "#efe4fa";
constexpr char kUnreachedBorder[] = "#a0a0a0";
constexpr char kUnreachedFill[] = "#f0f0f0";
constexpr char kErrorColour[] = "#d00000";
constexpr char kErrorFill[] = "#ffd9d9";
constexpr char kWarningColour[] = "#b35900";
constexpr char kJumpColour[] = "#444444";
constexpr char kRightColour[] = "#1e7b34";
constexpr char kOtherwiseColour[] = "#d2691e";
constexpr char kEndingColour[] = "#7b2cbf";
constexpr char kRestartColour[] = "#777777";
constexpr char kNeverColour[] = "#b0b0b0";

std::string Html(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Cut(std::string_view text, std::size_t limit) {
  if (CharacterCount(text) <= limit) return std::string(text);
  const std::string_view rest = DropCharacters(text, limit);
  return std::string(text.substr(0, text.size() - rest.size())) + "…";
}

std::string Small(std::string_view text, std::string_view colour, int size = 9) {
  return "<font point-size=\"" + std::to_string(size) + "\" color=\"" + std::string(colour) +
         "\">" + std::string(text) + "</font>";
}

struct Counts {
  std::size_t errors = 0;
  std::size_t warnings = 0;
};

class MapWriter {
 public:
  MapWriter(const Story& story, const EndingSearch& search, const Findings& findings)
      : story_(story), search_(search) {
    for (const Finding& f : findings.All()) {
      if (f.severity == Severity::kError) ++counts_[f.file].errors;
      if (f.severity == Severity::kWarning) ++counts_[f.file].warnings;
    }
    for (const auto& [key, scene] : story.scenes) {
      if (Shown(scene)) ids_[key] = "s" + std::to_string(ids_.size());
    }
  }

  // "15 scenes, 3 gift prompts; endings reached: end1, end2, end3"
  std::string Summary() const {
    std::size_t scenes = 0;
    std::size_t prompts = 0;
    for (const auto& [key, scene] : story_.scenes) {
      if (!scene.exists) continue;
      ++scenes;
      if (scene.walk.gift) ++prompts;
    }
    const std::string scene_count =
        scenes == 1 ? Tr("map", "1 scene") : Tr("map", "%1 scenes").Arg(scenes);
    const std::string prompt_count =
        prompts == 1 ? Tr("map", "1 gift prompt") : Tr("map", "%1 gift prompts").Arg(prompts);
    if (!search_.ran) return Tr("map", "%1, %2").Arg(scene_count).Arg(prompt_count);
    std::string reached;
    for (int n = 1; n <= 3; ++n) {
      if (!search_.endings[static_cast<std::size_t>(n - 1)].reached) continue;
      reached += (reached.empty() ? "" : ", ") + std::string("end") + std::to_string(n);
    }
    if (reached.empty()) reached = Tr("map", "none");
    return Tr("map", "%1, %2; endings reached: %3").Arg(scene_count).Arg(prompt_count).Arg(reached);
  }

  std::string Write(const std::string& title) {
    out_ << "digraph story {\n"
         << "  graph [rankdir=TB, nodesep=0.3, ranksep=0.45, fontname=\"sans-serif\", "
            "labelloc=t, pad=0.3, label=<"
         << "<b>" << Html(title) << "</b><br/>" << Small(Html(Summary()), "#333333", 11) << "<br/>"
         << Small(Legend(), "#555555", 10) << "<br/> >];\n"
         << "  node [shape=box, style=\"rounded,filled\", fontname=\"sans-serif\", fontsize=12, "
            "margin=\"0.12,0.05\", color=\""
         << kSceneBorder << "\", fillcolor=\"" << kSceneFill << "\"];\n"
         << "  edge [fontname=\"sans-serif\", fontsize=9, arrowsize=0.7];\n";
    WriteNodes();
    WriteEdges();
    out_ << "}\n";
    return out_.str();
  }

 private:
  static std::string Legend() {
    const auto item = [](const char* colour, const char* line, const std::string& text) {
      return std::string("<font color=\"") + colour + "\">" + line + Html(text) + "</font>";
    };
    return item(kRightColour, "━ ", Tr("map", "right gift")) + "   " +
           item(kOtherwiseColour, "╍ ", Tr("map", "wrong gift or time-out")) + "   " +
           item(kEndingColour, "━ ", Tr("map", "ending by love points")) + "   " +
           item(kJumpColour, "━ ", Tr("map", "jump")) + "   " +
           item(kRestartColour, "┈ ", Tr("map", "restart")) + "   " +
           item(kUnreachedBorder, "", Tr("map", "grey, dashed: no play gets there")) + "   " +
           item(kErrorColour, "", Tr("map", "red: an error"));
  }

  bool IsEnding(const std::string& key) const { return story_.EndingNumber(key) != 0; }

  // A missing ending that no play reaches needs no box: a story may leave it out.
  bool Shown(const Scene& scene) const {
    if (scene.exists || !IsEnding(scene.key)) return true;
    return Reached(scene.key) || story_.NamedByJumpOrGift(scene.key);
  }

  bool Reached(const std::string& key) const {
    if (!search_.ran) return story_.Find(key) && story_.Find(key)->linked;
    if (const int number = story_.EndingNumber(key)) {
      return search_.endings[static_cast<std::size_t>(number - 1)].reached;
    }
    return search_.scenes_reached.count(key) != 0;
  }

  // Whether the search can tell what no play reaches.
  bool Complete() const { return search_.ran && !search_.limit_hit; }

  void WriteNodes() {
    out_ << "\n  // Scenes\n";
    std::vector<std::string> endings;
    std::vector<std::string> unlinked;
    for (const auto& [key, scene] : story_.scenes) {
      if (!ids_.count(key)) continue;
      if (IsEnding(key)) endings.push_back(key);
      if (scene.exists && !scene.linked) {
        unlinked.push_back(key);
        continue;
      }
      WriteNode(scene, "  ");
    }
    if (!unlinked.empty()) {
      out_ << "  subgraph cluster_unlinked {\n"
           << "    label=<"
           << Small(Html(Tr("map", "nothing leads here from 00").Text()), kUnreachedBorder, 10)
           << ">;\n"
           << "    style=\"dashed,rounded\"; color=\"" << kUnreachedBorder << "\";\n";
      for (const std::string& key : unlinked) WriteNode(story_.scenes.at(key), "    ");
      out_ << "  }\n";
    }
    const auto start = ids_.find(story_.start.file.display);
    if (start != ids_.end()) out_ << "  { rank=source; " << start->second << "; }\n";
    if (!endings.empty()) {
      out_ << "  { rank=same;";
      for (const std::string& key : endings) out_ << " " << ids_.at(key) << ";";
      out_ << " }\n";
    }
  }

  void WriteNode(const Scene& scene, const std::string& indent) {
    const Counts counts = counts_.count(scene.key) ? counts_.at(scene.key) : Counts{};
    const bool start = scene.key == story_.start.file.display;
    const bool ending = IsEnding(scene.key);
    const bool reached = Reached(scene.key) || (!Complete() && scene.linked);
    // A missing file is shown by the name as written, blanks and all.
    std::string label = "<b>" + Html(scene.exists ? scene.name : Quoted(scene.name)) + "</b>";
    if (start) label = "▶ " + label;
    std::string border = kSceneBorder;
    std::string fill = ending ? kEndingFill : kSceneFill;
    std::string style = "rounded,filled";
    std::string extra;
    if (!scene.exists) {
      label += "<br/>" + Small(Html(Tr("map", "missing file").Text()), kErrorColour);
      border = kErrorColour;
      fill = kErrorFill;
      style = "rounded,filled,dashed";
    } else if (scene.Readable()) {
      if (scene.walk.first_text_line) {
        label +=
            "<br/>" + Small(Html(Cut(scene.Line(*scene.walk.first_text_line), kFirstLineLimit)),
                            "#333333", 10);
      }
      std::string shown;
      for (const PictureUse& picture : scene.pictures) {
        shown += (shown.empty() ? "" : ", ") + Html(picture.name);
      }
      if (!shown.empty()) {
        label += "<br/>" + Small(Tr("map", "picture: %1").Arg(shown).Text(), "#8a6d3b", 8);
      }
    }
    if (scene.exists && !reached) {
      border = kUnreachedBorder;
      fill = kUnreachedFill;
      style = "rounded,filled,dashed";
      if (scene.linked) {
        label += "<br/>" + Small(Html(Tr("map", "no play gets here").Text()), "#808080");
      }
    }
    if (counts.errors > 0) {
      border = kErrorColour;
      fill = kErrorFill;
      extra = ", penwidth=2.5";
      label += "<br/>" + Small(Html(FindingCount(counts.errors, Severity::kError)), kErrorColour);
    }
    if (counts.warnings > 0) {
      label +=
          "<br/>" + Small(Html(FindingCount(counts.warnings, Severity::kWarning)), kWarningColour);
    }
    if (start && counts.errors == 0) extra += ", penwidth=2";
    if (ending) extra += ", peripheries=2";
    out_ << indent << ids_.at(scene.key) << " [label=<" << label << ">, color=\"" << border
         << "\", fillcolor=\"" << fill << "\", style=\"" << style << "\"" << extra << ", tooltip=\""
         << Html(scene.key) << "\"];\n";
  }

  void Edge(const std::string& from, const std::string& to, const std::string& label,
            const std::string& colour, const std::string& style, const std::string& more = "") {
    out_ << "  " << from << " -> " << to << " [label=<" << label << ">, color=\"" << colour
         << "\", fontcolor=\"" << colour << "\", style=\"" << style << "\"" << more << "];\n";
  }

  std::string RestartNode() {
    if (!restart_written_) {
      out_ << "  restart [label=<↺ " << Html(Tr("map", "new game").Text()) << "<br/>"
           << Small(Html(Tr("map", "back to 00").Text()), "#666666")
           << ">, shape=oval, style=filled, fillcolor=\"#eeeeee\", color=\"" << kRestartColour
           << "\", fontsize=10];\n  { rank=sink; restart; }\n";
      restart_written_ = true;
    }
    return "restart";
  }

  std::string StopNode(const std::string& text) {
    const std::string id = "stop" + std::to_string(stops_++);
    out_ << "  " << id << " [label=<" << Html(text)
         << ">, shape=octagon, style=filled, fillcolor=\"" << kErrorFill << "\", color=\""
         << kErrorColour << "\", fontcolor=\"" << kErrorColour
         << "\", fontsize=9, margin=\"0.05,0.02\"];\n";
    return id;
  }

  std::string LinkColour(const SceneLink& link, const std::string& normal) const {
    return link.target.match == NameMatch::kMissing ||
                   link.target.match == NameMatch::kOutsideFolder
               ? kErrorColour
               : normal;
  }

  std::string TargetId(const SceneLink& link) {
    const auto it = ids_.find(link.target.file.display);
    if (link.target.match != NameMatch::kOutsideFolder && it != ids_.end()) return it->second;
    return StopNode(Tr("map", "no such scene: %1").Arg(Cut(link.name, 12)));
  }

  void WriteEdges() {
    out_ << "\n  // How the scenes lead on\n";
    for (const auto& [key, scene] : story_.scenes) {
      if (!ids_.count(key) || !scene.Readable()) continue;
      const std::string from = ids_.at(key);
      for (const SceneLink& link : scene.links) WriteLink(scene, from, link);
      WriteStop(scene, from);
    }
  }

  void WriteLink(const Scene& scene, const std::string& from, const SceneLink& link) {
    switch (link.kind) {
      case LinkKind::kJump:
        Edge(from, TargetId(link),
             Small(Html(Tr("map", "jump").Text()), LinkColour(link, kJumpColour), 8),
             LinkColour(link, kJumpColour), "solid");
        break;
      case LinkKind::kRightGift: {
        const GiftBlockLines& gift = *scene.walk.gift;
        const std::string points = PointsText(LeadingNumber(gift.points_text));
        std::string label = Html(gift.item) + " " + (points.front() == '-' ? "" : "+") + points;
        const bool never = Complete() && search_.scenes_reached.count(scene.key) &&
                           !search_.right_gifts_given.count({scene.key, gift.prompt_line});
        const bool unlisted =
            story_.gift_list.Usable() &&
            std::find(story_.gift_list.items.begin(), story_.gift_list.items.end(), gift.item) ==
                story_.gift_list.items.end();
        if (never || unlisted) {
          label +=
              "<br/>" +
              Html((unlisted ? Tr("map", "(not on the list)") : Tr("map", "(never given)")).Text());
          Edge(from, TargetId(link), label, LinkColour(link, kNeverColour), "dashed");
        } else {
          Edge(from, TargetId(link), label, LinkColour(link, kRightColour), "bold");
        }
        break;
      }
      case LinkKind::kOtherwise:
        // The label's two rows are one message, with the mark of the row break in it.
        Edge(from, TargetId(link), Tr("map", "wrong /<br/>time-out"),
             LinkColour(link, kOtherwiseColour), "dashed");
        break;
      case LinkKind::kEnding: {
        const auto target = ids_.find(link.target.file.display);
        if (target == ids_.end()) break;  // a missing ending that no play reaches
        const char* range = link.ending == 1 ? "&lt; 20" : link.ending == 2 ? "20–29" : "≥ 30";
        const bool reached =
            !Complete() || search_.endings[static_cast<std::size_t>(link.ending - 1)].reached;
        Edge(from, target->second, std::string(range) + " ♥",
             reached ? LinkColour(link, kEndingColour) : std::string(kNeverColour),
             reached ? "solid" : "dotted");
        break;
      }
      case LinkKind::kRestart:
        Edge(from, RestartNode(), Small(Html(Tr("map", "restart").Text()), kRestartColour, 8),
             kRestartColour, "dotted");
        break;
    }
  }

  void WriteStop(const Scene& scene, const std::string& from) {
    std::string stop;
    switch (scene.walk.exit) {
      case SceneExit::kStandsStill:
        stop = Tr("map", "stands still for good");
        break;
      case SceneExit::kReadsPastEnd:
      case SceneExit::kEmpty:
        stop = Tr("map", "error: reads past the end");
        break;
      case SceneExit::kNameTooShort:
        stop = Tr("map", "error: line too short");
        break;
      case SceneExit::kLineTooLong:
        stop = Tr("map", "error: line too long");
        break;
      case SceneExit::kGift:
        if (scene.walk.gift->lines_after < 3) {
          stop = scene.walk.long_line != 0 ? Tr("map", "error: line too long")
                                           : Tr("map", "error: gift block cut short");
        }
        break;
      case SceneExit::kJump:
      case SceneExit::kEnding:
      case SceneExit::kRestart:
        break;
    }
    if (!stop.empty()) Edge(from, StopNode(stop), "", kErrorColour, "dashed");
  }

  const Story& story_;
  const EndingSearch& search_;
  std::map<std::string, Counts> counts_;
  std::map<std::string, std::string> ids_;
  std::ostringstream out_;
  bool restart_written_ = false;
  int stops_ = 0;
};

}  // namespace

std::string StoryMapDot(const Story& story, const EndingSearch& search, const Findings& findings,
                        const std::string& title) {
  return MapWriter(story, search, findings).Write(title);
}

}  // namespace velune
