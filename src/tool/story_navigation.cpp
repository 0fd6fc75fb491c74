#include "tool/story_navigation.h"

#include <algorithm>
#include <set>

#include "story/ascii.h"
#include "story/love_points.h"
#include "story/translation.h"

namespace velune {
namespace {

// The name a scene line writes for the scene of `key`: "10", "ch2\01".
std::string WrittenSceneName(const std::string& key) {
  std::string name = SceneNameOfKey(key);
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

std::vector<std::string> StartingWith(const std::vector<std::string>& names,
                                      std::string_view typed) {
  std::set<std::string> fitting;
  for (const std::string& name : names) {
    if (!name.empty() && name.starts_with(typed)) fitting.insert(name);
  }
  return {fitting.begin(), fitting.end()};
}

std::vector<std::string> SceneNames(const Story& story) {
  std::vector<std::string> names;
  for (const auto& [key, scene] : story.scenes) {
    if (scene.exists) names.push_back(WrittenSceneName(key));
  }
  return names;
}

std::string EndingRange(int ending) {
  switch (ending) {
    case 1:
      return Tr("lsp", "`end1` opens with fewer than %1 love points.").Arg(kEnding2Love);
    case 2:
      return Tr("lsp", "`end2` opens with %1 to %2 love points.")
          .Arg(kEnding2Love)
          .Arg(kEnding3Love - 1);
    default:
      return Tr("lsp", "`end3` opens with %1 love points or more.").Arg(kEnding3Love);
  }
}

std::string EndingReached(const EndingSearch& search, int ending) {
  const EndingReach& reach = search.endings[static_cast<std::size_t>(ending - 1)];
  if (!search.ran) return Tr("lsp", "No game can start, so no play reaches it.");
  if (reach.reached) return Tr("lsp", "Some play reaches it with %1 love points.").Arg(reach.love);
  if (search.limit_hit) {
    return Tr("lsp", "The search of all plays stopped before it found a play that reaches it.");
  }
  return Tr("lsp", "No play reaches it.");
}

}  // namespace

const Scene* FindScene(const Story& story, const std::string& key) {
  if (const Scene* scene = story.Find(key)) return scene;
  for (const auto& [k, scene] : story.scenes) {
    if (SameIgnoringAsciiCase(k, key)) return &scene;
  }
  return nullptr;
}

std::vector<std::string> FilesOpenedBy(const Story& story, const std::string& key,
                                       std::size_t line) {
  std::vector<std::string> files;
  const Scene* scene = FindScene(story, key);
  if (scene == nullptr) return files;
  for (const SceneLink& link : scene->links) {
    if (link.line == line && link.kind != LinkKind::kRestart && link.target.Exists()) {
      files.push_back(link.target.file.path);
    }
  }
  for (const PictureUse& picture : scene->pictures) {
    if (picture.line == line && picture.file.Exists()) files.push_back(picture.file.file.path);
  }
  return files;
}

NamesToWrite NamesToComplete(const Story& story, const std::string& key, std::size_t line,
                             std::string_view before_cursor) {
  constexpr std::string_view kJump = ">ive>";
  constexpr std::string_view kPicture = ">img>";
  const auto from = [&](std::size_t typed_from, const std::vector<std::string>& names) {
    return NamesToWrite{typed_from, StartingWith(names, before_cursor.substr(typed_from))};
  };
  if (before_cursor.starts_with(kJump)) return from(kJump.size(), SceneNames(story));
  if (before_cursor.starts_with(kPicture)) return from(kPicture.size(), story.picture_names);
  const Scene* scene = FindScene(story, key);
  if (scene != nullptr && scene->walk.gift &&
      (line == scene->walk.gift->prompt_line + 2 || line == scene->walk.gift->prompt_line + 3)) {
    return from(0, SceneNames(story));
  }
  if (before_cursor.starts_with(">")) return from(1, story.gift_list.items);
  return {};
}

std::string LineExplanation(const Story& story, const EndingSearch& search, const std::string& key,
                            std::size_t line) {
  const Scene* scene = FindScene(story, key);
  if (scene == nullptr) return "";
  const SceneWalk& walk = scene->walk;
  if (walk.gift && walk.gift->prompt_line == line) {
    const GiftBlockLines& gift = *walk.gift;
    const std::string none = Tr("lsp", "(no scene line)");
    std::string text = Tr("lsp", "**Gift prompt**: she wants \"%1\".").Arg(gift.item);
    text += "\n\n- " + Tr("lsp", "The right gift adds %1 love points and opens scene %2.")
                           .Arg(AddLovePoints(0, LeadingNumber(gift.points_text)))
                           .Arg(gift.right ? gift.right->name : none)
                           .Text();
    text += "\n- " + Tr("lsp", "A wrong gift or the time running out opens scene %1.")
                         .Arg(gift.otherwise ? gift.otherwise->name : none)
                         .Text();
    if (std::find(story.gift_list.items.begin(), story.gift_list.items.end(), gift.item) ==
        story.gift_list.items.end()) {
      text += "\n- " + Tr("lsp", "\"%1\" is not on the gift list.").Arg(gift.item).Text();
    }
    return text;
  }
  if (walk.exit == SceneExit::kEnding && walk.exit_line == line) {
    std::string text = Tr("lsp", "**Ending line**: the love points choose the ending.");
    for (int ending = 1; ending <= 3; ++ending) {
      text += "\n- " + EndingRange(ending) + " " + EndingReached(search, ending);
    }
    return text;
  }
  return "";
}

std::vector<ScenePart> SceneParts(const Scene& scene) {
  std::vector<ScenePart> parts;
  const SceneWalk& walk = scene.walk;
  const std::size_t lines = scene.text.lines.size();
  const std::size_t end = walk.gift ? walk.gift->prompt_line - 1 : lines;
  std::size_t first = 1;
  for (std::size_t line = 1; line <= end; ++line) {
    const bool page_break =
        line <= walk.kinds.size() && walk.kinds[line - 1] == LineKind::kPageBreak;
    if (page_break || line == end) {
      parts.push_back({Tr("lsp", "Page %1").Arg(parts.size() + 1), first, line, false});
      first = line + 1;
    }
  }
  if (walk.gift) {
    const GiftBlockLines& gift = *walk.gift;
    parts.push_back({scene.Line(gift.prompt_line), gift.prompt_line,
                     gift.prompt_line + gift.lines_after, true});
  }
  return parts;
}

}  // namespace velune
