#include "tool/ending_report.h"

#include <algorithm>
#include <iterator>

#include "story/love_points.h"
#include "story/translation.h"
#include "tool/check_words.h"

namespace velune {
namespace {

std::string EndingName(int number) { return "end" + std::to_string(number); }

void ReportEnding(const Story& story, const EndingSearch& search, int number, Findings& findings) {
  const EndingReach& reach = search.endings[static_cast<std::size_t>(number - 1)];
  const FoundFile& file = story.endings[static_cast<std::size_t>(number - 1)];
  const std::string& display = file.file.display;
  const bool exists = file.Exists();
  if (!reach.reached) {
    findings.Add(exists ? Severity::kWarning : Severity::kNote, "unreached-ending", display, 0,
                 Tr("check", "no play reaches %1: %2")
                     .Arg(EndingName(number))
                     .Arg(WhyUnreached(story, search, number)));
    return;
  }
  Message reached =
      reach.answers.empty()
          ? (reach.shortest ? Tr("check",
                                 "%1 is reached with %2 love points without any gift "
                                 "prompt")
                            : Tr("check",
                                 "%1 is reached with %2 love points without any gift prompt "
                                 "(maybe not the shortest way: the search of all plays stopped "
                                 "at its limit)"))
          : (reach.shortest ? Tr("check", "%1 is reached with %2 love points by: %3")
                            : Tr("check",
                                 "%1 is reached with %2 love points by: %3 (maybe not the "
                                 "shortest way: the search of all plays stopped at its limit)"));
  reached.Arg(EndingName(number)).Arg(reach.love);
  if (!reach.answers.empty()) reached.Arg(AnswersText(reach.answers));
  findings.Note("ending-reached", display, 0, reached);
  if (exists || reach.from_scene.empty()) return;
  const Scene* from = story.Find(reach.from_scene);
  if (from && from->walk.exit == SceneExit::kEnding && from->walk.exit_line == reach.from_line) {
    findings.Error("missing-ending", reach.from_scene, reach.from_line,
                   Tr("check",
                      "with %1 love points the ending line opens %2, but %3 does not exist: the "
                      "game stops with an error here")
                       .Arg(reach.love)
                       .Arg(EndingName(number))
                       .Arg(display));
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
    if (gifts.empty()) {
      findings.Warning("unreached-scene", key, 0,
                       Tr("check",
                          "no play reaches this scene: the scenes that lead here are never "
                          "reached themselves"));
      continue;
    }
    const Scene& holder = *holders.front();
    findings.Warning("unreached-scene", key, 0,
                     Tr("check",
                        "no play reaches this scene: only the right gift at %1:%2 leads here, "
                        "and no play can give %3 there")
                         .Arg(holder.key)
                         .Arg(holder.walk.gift->prompt_line)
                         .Arg(Quoted(holder.walk.gift->item)));
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
                     (count == 1 ? Tr("check",
                                      "no play can give %1 right here: every play that gets here "
                                      "has given it away before")
                                 : Tr("check",
                                      "no play can give %1 right here: every play that gets here "
                                      "has given all its %2 entries away before"))
                         .Arg(Quoted(gift.item))
                         .Arg(count));
  }
}

// Why the love points at the ending lines that plays reach, `loves`, never open ending
// `number`.
std::string WhyNoLoveFits(const Story& story, const std::set<std::int16_t>& loves, int number) {
  const std::string ending = EndingName(number);
  if (loves.empty()) {
    if (story.NamedByJumpOrGift(story.endings[static_cast<std::size_t>(number - 1)].file.display)) {
      return Tr("check", "no play reaches an ending line, nor a line that names %1").Arg(ending);
    }
    return Tr("check", "no play reaches an ending line");
  }
  const int fewest = *loves.begin();
  const int most = *loves.rbegin();
  if (number == 3) {
    return Tr("check",
              "%1 needs %2 love points; the most any play collects before an ending line is %3")
        .Arg(ending)
        .Arg(kEnding3Love)
        .Arg(most);
  }
  if (number == 1) {
    return Tr("check",
              "%1 needs fewer than %2 love points; the fewest any play has at an ending line is "
              "%3")
        .Arg(ending)
        .Arg(kEnding2Love)
        .Arg(fewest);
  }
  Message why =
      most < kEnding2Love
          ? Tr("check",
               "%1 needs %2 to %3 love points; the most any play collects before an ending line "
               "is %4")
      : fewest >= kEnding3Love
          ? Tr("check",
               "%1 needs %2 to %3 love points; the fewest any play has at an ending line is %4")
          : Tr("check",
               "%1 needs %2 to %3 love points; plays reach an ending line with %4 or %5 love "
               "points, and nothing between");
  why.Arg(ending).Arg(kEnding2Love).Arg(kEnding3Love - 1);
  if (most < kEnding2Love) return why.Arg(most);
  if (fewest >= kEnding3Love) return why.Arg(fewest);
  const auto above = loves.lower_bound(static_cast<std::int16_t>(kEnding3Love));
  const auto below = std::prev(loves.lower_bound(static_cast<std::int16_t>(kEnding2Love)));
  return why.Arg(*below).Arg(*above);
}

}  // namespace

std::string AnswersText(const std::vector<GiftAnswer>& answers) {
  constexpr std::size_t kTimeOutsListed = 6;  // more time-outs are only counted
  const std::size_t time_outs =
      std::count_if(answers.begin(), answers.end(), [](const GiftAnswer& a) { return !a.right; });
  const bool count_time_outs = time_outs > kTimeOutsListed;
  std::string text;
  const auto add = [&](const std::string& part) {
    text = text.empty() ? part : Tr("check", "%1, %2").Arg(text).Arg(part).Text();
  };
  std::int16_t love = 0;
  for (const GiftAnswer& answer : answers) {
    if (answer.right) {
      const int change = answer.love_after - love;
      add(SceneNameOfKey(answer.scene) + " " + answer.item + " (" + (change >= 0 ? "+" : "") +
          std::to_string(change) + ")");
    } else if (!count_time_outs) {
      add(Tr("check", "%1 time-out").Arg(SceneNameOfKey(answer.scene)));
    }
    love = answer.love_after;
  }
  if (!count_time_outs) return text;
  if (text.empty()) return Tr("check", "a time-out at each of the %1 prompts").Arg(time_outs);
  return Tr("check", "%1, and a time-out at each of the %2 other prompts").Arg(text).Arg(time_outs);
}

std::string WhyUnreached(const Story& story, const EndingSearch& search, int number) {
  const bool complete = !search.limit_hit;
  const bool relaxed = !complete && search.relaxed_complete;
  if (!complete && !relaxed) {
    return Tr("check",
              "the search of all plays stopped at its limit before it found one that reaches "
              "%1, so it may still be reachable")
        .Arg(EndingName(number));
  }
  const auto& loves = complete ? search.love_at_ending_lines : search.relaxed_love_at_ending_lines;
  const std::string why = WhyNoLoveFits(story, loves, number);
  if (!relaxed) return why;
  return Tr("check",
            "%1 (even if every item could be given again and again; the search of all plays "
            "stopped at its limit)")
      .Arg(why);
}

void ReportReachability(const Story& story, const EndingSearch& search, Findings& findings) {
  if (!search.ran) return;
  if (search.limit_hit) {
    findings.Warning("search-limit", story.start.file.display, 0,
                     Tr("check",
                        "the search of all plays stopped after %1 states (its limit): endings and "
                        "scenes it did not find may still be reachable")
                         .Arg(search.states));
  }
  for (int number = 1; number <= 3; ++number) ReportEnding(story, search, number, findings);
  if (search.limit_hit) return;
  ReportUnreachedScenes(story, search, findings);
  ReportRightGiftsNeverGiven(story, search, findings);
}

}  // namespace velune
