#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tool/story_model.h"

namespace velune {

// One answer at a gift prompt on the way to an ending.
struct GiftAnswer {
  std::string scene;  // the key of the scene that holds the gift block
  std::size_t prompt_line = 0;
  bool right = false;  // false: the time runs out (a wrong gift leads the same way)
  std::string item;    // the wanted item
  std::int16_t love_after = 0;
};

struct EndingReach {
  bool reached = false;
  std::int16_t love = 0;            // the love points when the ending opens
  std::vector<GiftAnswer> answers;  // one sequence of answers that gets there
  bool shortest = true;             // no sequence with fewer answers gets there
  std::string from_scene;           // the scene whose line opens the ending
  std::size_t from_line = 0;        // that line: an ending line, or a gift block's scene line
};

// What plays of the story can reach, found by trying every answer at every gift prompt.
struct EndingSearch {
  bool ran = false;  // false when no game can start (no gift list, no scene 00)
  std::array<EndingReach, 3> endings;
  std::size_t states = 0;
  std::size_t state_limit = 0;
  bool limit_hit = false;  // stopped early: what was not found may still be reachable
  std::set<std::int16_t> love_at_ending_lines;
  // When the search stopped early: the love points at ending lines if each item could be
  // given any number of times. No play has love points outside this set, so an ending
  // whose range it misses is out of reach for certain (when `relaxed_complete`).
  bool relaxed_complete = false;
  std::set<std::int16_t> relaxed_love_at_ending_lines;
  std::set<std::string> scenes_reached;
  // The gift blocks (scene key, prompt line) whose right gift some play can give.
  std::set<std::pair<std::string, std::size_t>> right_gifts_given;
  // The gift blocks some play reaches.
  std::set<std::pair<std::string, std::size_t>> prompts_reached;
};

inline constexpr std::size_t kDefaultStateLimit = 200000;

// Explores the plays of `story` from a new game: the state is the scene, the love points
// and the items still on the gift list. Each item can be given once per game; a gift
// block leads to its right scene for each item still on the list that equals the wanted
// one, and otherwise to its other scene. A wrong gift leads where the time-out leads,
// with the same love points and one item fewer; since fewer items never open a way that
// more items close, the search lets the time run out instead of trying each wrong item.
// Equal entries of the list are alike, so the state counts them instead of naming them,
// and it forgets the items that no gift block ahead asks for. Endings, restarts and
// errors end a play.
//
// The search goes breadth first, by the number of answers, so the plays it reports are
// the shortest. After `state_limit` states it stops; it then looks for each ending it has
// not found along one play at a time (up to `state_limit` states more), and tells which
// endings are out of reach even if items could be given again and again.
EndingSearch SearchEndings(const Story& story, std::size_t state_limit = kDefaultStateLimit);

}  // namespace velune
