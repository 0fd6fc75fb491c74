#include "tool/ending_report.h"

#include <algorithm>
#include <iterator>

#include "story/love_points.h"
#include "tool/check_words.h"

namespace velune {
namespace {

std::string EndingName(int number) { return "end" + std::to_string(number); }

std::string LoveRangeNeeded(int number) {
  switch (number) {
    case 1:
      return "fewer than " + std::to_string(kEnding2Love) + " love points";
    case 2:
      return std::to_string(kEnding2Love) + " to " + std::to_string(kEnding3Love - 1) +
             " love points";
    default:
      return std::to_string(kEnding3Love) + " love points";
  }
}

void ReportEnding(const Story& story, const EndingSearch& search, int number, Findings& findings) {
  const EndingReach& reach = search.endings[static_cast<std::size_t>(number - 1)];
  const FoundFile& file = story.endings[static_cast<std::size_t>(number - 1)];
  const std::string& display = file.file.display;
  const bool exists = file.Exists();
  if (!reach.reached) {
    findings.Add(
        exists ? Severity::kWarning : Severity::kNote, "unreached-ending", display, 0,
        "no play reaches " + EndingName(number) + ": " + WhyUnreached(story, search, number));
    return;
  }
  findings.Note("ending-reached", display, 0,
                EndingName(number) + " is reached with " + std::to_string(reach.love) +
                    " love points" +
                    (reach.answers.empty() ? " without any gift prompt"
                                           : " by: " + AnswersText(reach.answers)) +
                    (reach.shortest ? ""
                                    : " (maybe not the shortest way: the search of all "
                                      "plays stopped at its limit)"));
  if (exists || reach.from_scene.empty()) return;
  const Scene* from = story.Find(reach.from_scene);
  if (from && from->walk.exit == SceneExit::kEnding && from->walk.exit_line == reach.from_line) {
    findings.Error("missing-ending", reach.from_scene, reach.from_line,
                   "with " + std::to_string(reach.love) + " love points the ending line opens " +
                       EndingName(number) + ", but " + display +
                       " does not exist: the game stops with an error here");
  }
}

// The right gifts from reached scenes that would lead to `key`.
std::vector<const SceneLink*> RightGiftsInto(const Story& story, const EndingSearch& search,
                                             const std::string& key,
                                             std::vector<const Scene*>& holders) {
  std::vector<const SceneLink*> links;
  for (const auto& [k, scene] : story.scenes) {
    if (!search.scenes_reached.count(k)) continue;
    for (const SceneLink& link : scene.links) {
      if (link.kind == LinkKind::kRightGift && link.target.file.display == key) {
        links.push_back(&link);
        holders.push_back(&scene);
      }
    }
  }
  return links;
}

void ReportUnreachedScenes(const Story& story, const EndingSearch& search, Findings& findings) {
  for (const auto& [key, scene] : story.scenes) {
    if (!scene.exists || !scene.linked || search.scenes_reached.count(key) ||
        story.EndingNumber(key) != 0) {
      continue;
    }
    std::vector<const Scene*> holders;
    const auto gifts = RightGiftsInto(story, search, key, holders);
    std::string why;
    if (gifts.empty()) {
      why = "the scenes that lead here are never reached themselves";
    } else {
      const Scene& holder = *holders.front();
      why = "only the right gift at " + holder.key + ":" +
            std::to_string(holder.walk.gift->prompt_line) + " leads here, and no play can give " +
            Quoted(holder.walk.gift->item) + " there";
    }
    findings.Warning("unreached-scene", key, 0, "no play reaches this scene: " + why);
  }
}

void ReportRightGiftsNeverGiven(const Story& story, const EndingSearch& search,
                                Findings& findings) {
  const auto& items = story.gift_list.items;
  for (const auto& [key, line] : search.prompts_reached) {
    if (search.right_gifts_given.count({key, line})) continue;
    const Scene& scene = story.scenes.at(key);
    const GiftBlockLines& gift = *scene.walk.gift;
    if (!gift.right) continue;
    const auto count = std::count(items.begin(), items.end(), gift.item);
    if (count == 0) continue;  // reported as not on the list
    findings.Warning("gift-never-right", key, line,
                     "no play can give " + Quoted(gift.item) +
                         " right here: every play that gets here has given " +
                         (count == 1 ? "it" : "all its " + std::to_string(count) + " entries") +
                         " away before");
  }
}

}  // namespace

std::string AnswersText(const std::vector<GiftAnswer>& answers) {
  constexpr std::size_t kTimeOutsListed = 6;  // more time-outs are only counted
  const std::size_t time_outs =
      std::count_if(answers.begin(), answers.end(), [](const GiftAnswer& a) { return !a.right; });
  const bool count_time_outs = time_outs > kTimeOutsListed;
  std::string text;
  std::int16_t love = 0;
  for (const GiftAnswer& answer : answers) {
    if (answer.right) {
      if (!text.empty()) text += ", ";
      const int change = answer.love_after - love;
      text += SceneNameOfKey(answer.scene) + " " + answer.item + " (" + (change >= 0 ? "+" : "") +
              std::to_string(change) + ")";
    } else if (!count_time_outs) {
      if (!text.empty()) text += ", ";
      text += SceneNameOfKey(answer.scene) + " time-out";
    }
    love = answer.love_after;
  }
  if (count_time_outs) {
    text += text.empty()
                ? "a time-out at each of the " + std::to_string(time_outs) + " prompts"
                : ", and a time-out at each of the " + std::to_string(time_outs) + " other prompts";
  }
  return text;
}

std::string WhyUnreached(const Story& story, const EndingSearch& search, int number) {
  const bool complete = !search.limit_hit;
  const bool relaxed = !complete && search.relaxed_complete;
  if (!complete && !relaxed) {
    return "the search of all plays stopped at its limit before it found one that reaches " +
           EndingName(number) + ", so it may still be reachable";
  }
  const auto& loves = complete ? search.love_at_ending_lines : search.relaxed_love_at_ending_lines;
  std::string why;
  if (loves.empty()) {
    why = "no play reaches an ending line";
    if (story.NamedByJumpOrGift(story.endings[static_cast<std::size_t>(number - 1)].file.display))
      why += ", nor a line that names " + EndingName(number);
  } else {
    const int fewest = *loves.begin();
    const int most = *loves.rbegin();
    why = EndingName(number) + " needs " + LoveRangeNeeded(number) + "; ";
    if (number == 3 || (number == 2 && most < kEnding2Love)) {
      why += "the most any play collects before an ending line is " + std::to_string(most);
    } else if (number == 1 || fewest >= kEnding3Love) {
      why += "the fewest any play has at an ending line is " + std::to_string(fewest);
    } else {
      const auto above = loves.lower_bound(static_cast<std::int16_t>(kEnding3Love));
      const auto below = std::prev(loves.lower_bound(static_cast<std::int16_t>(kEnding2Love)));
      why += "plays reach an ending line with " + std::to_string(*below) + " or " +
             std::to_string(*above) + " love points, and nothing between";
    }
  }
  if (relaxed) {
    why +=
        " (even if every item could be given again and again; the search of all plays "
        "stopped at its limit)";
  }
  return why;
}

void ReportReachability(const Story& story, const EndingSearch& search, Findings& findings) {
  if (!search.ran) return;
  if (search.limit_hit) {
    findings.Warning("search-limit", story.start.file.display, 0,
                     "the search of all plays stopped after " + std::to_string(search.states) +
                         " states (its limit): endings and scenes it did not find may still be "
                         "reachable");
  }
  for (int number = 1; number <= 3; ++number) ReportEnding(story, search, number, findings);
  if (search.limit_hit) return;
  ReportUnreachedScenes(story, search, findings);
  ReportRightGiftsNeverGiven(story, search, findings);
}

}  // namespace velune
