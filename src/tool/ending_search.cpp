#include "tool/ending_search.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "story/love_points.h"

namespace velune {
namespace {

constexpr std::uint32_t kNoParent = std::numeric_limits<std::uint32_t>::max();

struct State {
  std::uint32_t scene = 0;
  std::int16_t love = 0;
  std::vector<std::uint16_t> left;  // per wanted item: how many entries are still on the list
};

std::string Pack(const State& s) {
  std::string key(sizeof s.scene + sizeof s.love + s.left.size() * sizeof(std::uint16_t), '\0');
  char* p = key.data();
  std::memcpy(p, &s.scene, sizeof s.scene);
  p += sizeof s.scene;
  std::memcpy(p, &s.love, sizeof s.love);
  p += sizeof s.love;
  if (!s.left.empty()) std::memcpy(p, s.left.data(), s.left.size() * sizeof(std::uint16_t));
  return key;
}

// One step of a play from a state: a jump or an ending line (no answer), or an answer.
struct Move {
  State next;
  std::optional<GiftAnswer> answer;
};

// The story as states and moves.
class PlayGraph {
 public:
  explicit PlayGraph(const Story& story) : story_(story) {
    for (const auto& [key, scene] : story.scenes) {
      index_[key] = static_cast<std::uint32_t>(keys_.size());
      keys_.push_back(key);
    }
    // The items that some gift block wants and the list holds, with their counts.
    for (const auto& [key, scene] : story.scenes) {
      if (!scene.walk.gift) continue;
      const std::string& item = scene.walk.gift->item;
      if (item_class_.count(item)) continue;
      const auto& items = story.gift_list.items;
      const auto count = std::count(items.begin(), items.end(), item);
      if (count == 0) continue;
      item_class_[item] = full_list_.size();
      full_list_.push_back(static_cast<std::uint16_t>(
          std::min<std::ptrdiff_t>(count, std::numeric_limits<std::uint16_t>::max())));
    }
    FindItemsWantedAhead();
  }

  // The state of a new game, if the game can start at all.
  std::optional<State> Start() const {
    const auto start = index_.find(story_.start.file.display);
    if (!story_.gift_list.StartsGames() || start == index_.end() ||
        !story_.scenes.at(start->first).Readable()) {
      return std::nullopt;
    }
    return Normal(State{start->second, 0, full_list_});
  }

  const std::string& Key(const State& s) const { return keys_[s.scene]; }
  const Scene& SceneOf(const State& s) const { return story_.scenes.at(Key(s)); }

  // The ending (1 to 3) whose scene `s` is in, or 0.
  int EndingAt(const State& s) const { return story_.EndingNumber(Key(s)); }

  // The moves from `s`, time-outs before right gifts. With `once` false, an item stays
  // on the list after it is given.
  std::vector<Move> Moves(const State& s, bool once) const {
    std::vector<Move> moves;
    const Scene& scene = SceneOf(s);
    if (!scene.Readable()) return moves;  // the game stops with an error
    for (const LinkKind kind :
         {LinkKind::kJump, LinkKind::kEnding, LinkKind::kOtherwise, LinkKind::kRightGift}) {
      for (const SceneLink& link : scene.links) {
        if (link.kind != kind) continue;
        const auto target = Target(link);
        if (!target) continue;
        switch (kind) {
          case LinkKind::kJump:
            moves.push_back(Move{Normal(State{*target, s.love, s.left}), std::nullopt});
            break;
          case LinkKind::kEnding:
            if (link.ending == EndingForLove(s.love)) {
              moves.push_back(Move{Normal(State{*target, s.love, s.left}), std::nullopt});
            }
            break;
          case LinkKind::kOtherwise: {
            const GiftBlockLines& gift = *scene.walk.gift;
            moves.push_back(Move{Normal(State{*target, s.love, s.left}),
                                 GiftAnswer{Key(s), gift.prompt_line, false, gift.item, s.love}});
            break;
          }
          case LinkKind::kRightGift: {
            const GiftBlockLines& gift = *scene.walk.gift;
            const auto item = item_class_.find(gift.item);
            if (item == item_class_.end() || s.left[item->second] == 0) break;
            const std::int16_t love = AddLovePoints(s.love, LeadingNumber(gift.points_text));
            State next{*target, love, s.left};
            if (once) --next.left[item->second];
            moves.push_back(Move{Normal(std::move(next)),
                                 GiftAnswer{Key(s), gift.prompt_line, true, gift.item, love}});
            break;
          }
          case LinkKind::kRestart:
            break;
        }
      }
    }
    return moves;
  }

  // The line that moved a play from `from` into `to` (the ending line, or a gift block's
  // scene line).
  std::size_t LineInto(const State& from, const Move& move) const {
    for (const SceneLink& link : SceneOf(from).links) {
      if (link.target.file.display != Key(move.next)) continue;
      const bool right = move.answer && move.answer->right;
      if (link.kind == LinkKind::kRightGift && !right) continue;
      if (link.kind == LinkKind::kOtherwise && right) continue;
      return link.line;
    }
    return 0;
  }

 private:
  std::optional<std::uint32_t> Target(const SceneLink& link) const {
    if (link.target.match == NameMatch::kOutsideFolder) return std::nullopt;
    const auto it = index_.find(link.target.file.display);
    if (it == index_.end()) return std::nullopt;
    return it->second;
  }

  // The state with the counts of items that nothing ahead asks for forgotten.
  State Normal(State s) const {
    for (std::size_t c = 0; c < s.left.size(); ++c) {
      if (!wanted_ahead_[s.scene][c]) s.left[c] = 0;
    }
    return s;
  }

  // For each scene, the wanted items that a gift block of it or of a scene after it asks
  // for. The count of any other item is never looked at again.
  void FindItemsWantedAhead() {
    const std::size_t n = keys_.size();
    std::vector<std::vector<std::uint32_t>> before(n);  // the scenes that lead to each scene
    wanted_ahead_.assign(n, std::vector<bool>(full_list_.size(), false));
    for (std::uint32_t i = 0; i < n; ++i) {
      const Scene& scene = story_.scenes.at(keys_[i]);
      if (scene.walk.gift) {
        const auto item = item_class_.find(scene.walk.gift->item);
        if (item != item_class_.end()) wanted_ahead_[i][item->second] = true;
      }
      for (const SceneLink& link : scene.links) {
        const auto target = Target(link);
        if (link.kind != LinkKind::kRestart && target) before[*target].push_back(i);
      }
    }
    std::deque<std::uint32_t> queue;
    for (std::uint32_t i = 0; i < n; ++i) queue.push_back(i);
    while (!queue.empty()) {
      const std::uint32_t at = queue.front();
      queue.pop_front();
      for (const std::uint32_t from : before[at]) {
        bool grew = false;
        for (std::size_t c = 0; c < full_list_.size(); ++c) {
          if (wanted_ahead_[at][c] && !wanted_ahead_[from][c]) {
            wanted_ahead_[from][c] = true;
            grew = true;
          }
        }
        if (grew) queue.push_back(from);
      }
    }
  }

  const Story& story_;
  std::vector<std::string> keys_;
  std::map<std::string, std::uint32_t> index_;
  std::map<std::string, std::size_t> item_class_;
  std::vector<std::uint16_t> full_list_;
  std::vector<std::vector<bool>> wanted_ahead_;
};

// The states met so far, each with the way it was reached.
class StateTable {
 public:
  struct Entry {
    State state;
    std::size_t cost = 0;  // gift prompts answered on the way
    std::uint32_t parent = kNoParent;
    std::optional<GiftAnswer> answer;  // the answer that led here from the parent
  };

  std::size_t Size() const { return entries_.size(); }
  Entry& operator[](std::uint32_t id) { return entries_[id]; }
  const Entry& operator[](std::uint32_t id) const { return entries_[id]; }

  std::optional<std::uint32_t> Find(const State& s) const {
    const auto it = ids_.find(Pack(s));
    if (it == ids_.end()) return std::nullopt;
    return it->second;
  }
  std::uint32_t Add(Entry entry) {
    const auto id = static_cast<std::uint32_t>(entries_.size());
    ids_.emplace(Pack(entry.state), id);
    entries_.push_back(std::move(entry));
    return id;
  }

  std::vector<GiftAnswer> AnswersTo(std::uint32_t id) const {
    std::vector<GiftAnswer> answers;
    for (std::uint32_t at = id; at != kNoParent; at = entries_[at].parent) {
      if (entries_[at].answer) answers.push_back(*entries_[at].answer);
    }
    return {answers.rbegin(), answers.rend()};
  }

 private:
  std::unordered_map<std::string, std::uint32_t> ids_;
  std::vector<Entry> entries_;
};

class Explorer {
 public:
  Explorer(const Story& story, std::size_t limit) : graph_(story) { result_.state_limit = limit; }

  EndingSearch Run() {
    const auto start = graph_.Start();
    if (!start) return std::move(result_);
    result_.ran = true;
    ShortestPlays(*start);
    if (result_.limit_hit) {
      for (int n = 1; n <= 3; ++n) {
        if (!result_.endings[static_cast<std::size_t>(n - 1)].reached) FindPlayTo(*start, n);
      }
      RelaxedEndingLines(*start);
    }
    return std::move(result_);
  }

 private:
  // Breadth first by the number of answers (jumps cost nothing), so that the first way
  // to each state is a shortest one.
  void ShortestPlays(const State& start) {
    StateTable table;
    std::deque<std::uint32_t> queue{table.Add({start, 0, kNoParent, std::nullopt})};
    std::vector<bool> done;
    while (!queue.empty()) {
      const std::uint32_t id = queue.front();
      queue.pop_front();
      if (done.size() <= id) done.resize(id + 1, false);
      if (done[id]) continue;
      done[id] = true;
      const State state = table[id].state;
      const std::size_t cost = table[id].cost;
      const Scene& scene = graph_.SceneOf(state);
      result_.scenes_reached.insert(scene.key);
      if (const int ending = graph_.EndingAt(state)) NoteEnding(ending, table, id, true);
      if (scene.Readable() && scene.walk.exit == SceneExit::kEnding) {
        result_.love_at_ending_lines.insert(state.love);
      }
      if (scene.Readable() && scene.walk.gift) {
        result_.prompts_reached.emplace(scene.key, scene.walk.gift->prompt_line);
      }
      for (Move& move : graph_.Moves(state, true)) {
        if (move.answer && move.answer->right) {
          result_.right_gifts_given.emplace(scene.key, move.answer->prompt_line);
        }
        const std::size_t next_cost = cost + (move.answer ? 1 : 0);
        if (const auto known = table.Find(move.next)) {
          StateTable::Entry& entry = table[*known];
          if (next_cost >= entry.cost) continue;
          entry.cost = next_cost;  // only a jump (no answer) can make a way shorter
          entry.parent = id;
          entry.answer = std::move(move.answer);
          queue.push_front(*known);
          continue;
        }
        if (table.Size() >= result_.state_limit) {
          result_.limit_hit = true;
          result_.states = table.Size();
          return;
        }
        const bool same_cost = !move.answer;
        const std::uint32_t next =
            table.Add({std::move(move.next), next_cost, id, std::move(move.answer)});
        if (same_cost) {
          queue.push_front(next);
        } else {
          queue.push_back(next);
        }
      }
    }
    result_.states = table.Size();
  }

  void NoteEnding(int ending, const StateTable& table, std::uint32_t id, bool shortest) {
    EndingReach& reach = result_.endings[static_cast<std::size_t>(ending - 1)];
    if (reach.reached) return;
    reach.reached = true;
    reach.shortest = shortest;
    reach.love = table[id].state.love;
    reach.answers = table.AnswersTo(id);
    const std::uint32_t parent = table[id].parent;
    if (parent == kNoParent) return;
    const State& from = table[parent].state;
    reach.from_scene = graph_.Key(from);
    reach.from_line = graph_.LineInto(from, Move{table[id].state, table[id].answer});
  }

  // Looks for one play that reaches `ending`, depth first, trying first the answers that
  // bring the love points nearer to what the ending needs.
  void FindPlayTo(const State& start, int ending) {
    const int aim = ending == 1   ? -100000
                    : ending == 2 ? (kEnding2Love + kEnding3Love) / 2
                                  : 100000;
    StateTable table;
    std::vector<std::uint32_t> stack{table.Add({start, 0, kNoParent, std::nullopt})};
    std::unordered_set<std::uint32_t> done;
    while (!stack.empty()) {
      const std::uint32_t id = stack.back();
      stack.pop_back();
      if (!done.insert(id).second) continue;
      const State state = table[id].state;
      if (graph_.EndingAt(state) == ending) {
        NoteEnding(ending, table, id, false);
        return;
      }
      std::vector<Move> moves = graph_.Moves(state, true);
      std::stable_sort(moves.begin(), moves.end(), [&](const Move& a, const Move& b) {
        return std::abs(a.next.love - aim) > std::abs(b.next.love - aim);  // best on top
      });
      for (Move& move : moves) {
        if (table.Find(move.next)) continue;
        if (table.Size() >= result_.state_limit) return;
        stack.push_back(table.Add({std::move(move.next), 0, id, std::move(move.answer)}));
      }
    }
  }

  // The love points at ending lines when items stay on the list after they are given.
  void RelaxedEndingLines(const State& start) {
    StateTable table;
    std::vector<std::uint32_t> stack{table.Add({start, 0, kNoParent, std::nullopt})};
    while (!stack.empty()) {
      const State state = table[stack.back()].state;
      stack.pop_back();
      const Scene& scene = graph_.SceneOf(state);
      if (scene.Readable() && scene.walk.exit == SceneExit::kEnding) {
        result_.relaxed_love_at_ending_lines.insert(state.love);
      }
      for (Move& move : graph_.Moves(state, false)) {
        if (table.Find(move.next)) continue;
        if (table.Size() >= result_.state_limit) return;
        stack.push_back(table.Add({std::move(move.next), 0, kNoParent, std::nullopt}));
      }
    }
    result_.relaxed_complete = true;
  }

  PlayGraph graph_;
  EndingSearch result_;
};

}  // namespace

EndingSearch SearchEndings(const Story& story, std::size_t state_limit) {
  return Explorer(story, state_limit).Run();
}

}  // namespace velune
