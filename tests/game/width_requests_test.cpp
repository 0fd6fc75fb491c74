#include "game/width_requests.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velune::layout {
namespace {

using Verdict = WidthRequests::Verdict;
constexpr Verdict kInShape = Verdict::kInShape, kAsk = Verdict::kAsk, kHeld = Verdict::kHeld;

// The 4:3 outer width in pixels for an outer height in pixels, as the window works it out.
int Target(int height) { return (height * 4 + 1) / 3; }

// What the window sees at a pass, or after it was left alone (settle), or after its state
// changed (forget), and what it is told; at 300 pixels high the width in shape is 400.
struct Step {
  enum { kPass, kSettle, kForget } what;
  int width, height;
  std::int64_t ms;
  Verdict verdict;
  bool settle_allowed;
};
constexpr auto kPass = Step::kPass, kSettle = Step::kSettle;

const struct {
  const char* name;
  std::vector<Step> steps;
  int requests;
} kStories[] = {
    {"asks once and is content when the window takes the width",
     {{kPass, 500, 300, 0, kAsk, true}, {kPass, 400, 300, 1, kInShape, true}},
     1},
    {"asks back a width changed at the same height once, then holds it however late",
     {{kPass, 500, 300, 0, kAsk, true},
      {kPass, 450, 300, 10, kAsk, true},
      {kPass, 450, 300, 20, kHeld, true},
      {kPass, 450, 300, 5000, kHeld, true},
      {kPass, 450, 330, 6000, kAsk, true}},  // another height is asked for again
     3},
    {"asks a held width once more when the window has settled",
     {{kPass, 500, 300, 0, kAsk, true},
      {kPass, 450, 300, 10, kAsk, true},
      {kPass, 460, 300, 20, kHeld, true},
      {kSettle, 460, 300, 300, kAsk, false},
      {kPass, 455, 300, 310, kHeld, false},
      {kSettle, 455, 300, 900, kHeld, false}},
     3},
    {"asks nothing of a settled window in shape",
     {{kPass, 500, 300, 0, kAsk, true},
      {kPass, 450, 300, 10, kAsk, true},
      {kSettle, 400, 300, 300, kInShape, true}},
     2},
    {"holds a late answer at the same height too",
     {{kPass, 700, 300, 0, kAsk, true},
      {kPass, 650, 300, 2000, kAsk, true},
      {kPass, 650, 300, 4000, kHeld, true},
      {kSettle, 650, 300, 6000, kAsk, false},
      {kPass, 650, 300, 8000, kHeld, false}},
     3},
    {"starts afresh after forgetting",
     {{kPass, 500, 300, 0, kAsk, true},
      {kPass, 450, 300, 10, kAsk, true},
      {kPass, 450, 300, 20, kHeld, true},
      {Step::kForget, 0, 0, 0, kAsk, true},
      {kPass, 450, 300, 30, kAsk, true}},
     3},
};

TEST(LayoutWidthRequests, WhenToAskForTheWidth) {
  for (const auto& story : kStories) {
    SCOPED_TRACE(story.name);
    WidthRequests r;
    for (const Step& s : story.steps) {
      SCOPED_TRACE(std::to_string(s.width) + " wide at " + std::to_string(s.ms) + " ms");
      if (s.what == Step::kForget) {
        r.Forget();
        continue;
      }
      EXPECT_EQ(s.what == kPass ? r.Consider(s.width, s.height * 15, Target(s.height), s.ms)
                                : r.Settle(s.width, s.height * 15, Target(s.height), s.ms),
                s.verdict);
      EXPECT_EQ(r.SettleAllowed(), s.settle_allowed);
    }
    EXPECT_EQ(r.Requests(), story.requests);
  }
}

// Each answer comes with another height: at once (the window manager going round), or
// slower than any answer (the player's drag, which is asked for at every pass).
TEST(LayoutWidthRequests, ARunOfAnswersWithNewHeightsEndsButADragIsFollowed) {
  for (const std::int64_t step_ms : {std::int64_t{1}, WidthRequests::kAnswerMs}) {
    WidthRequests r;
    int asked = 0;
    for (int i = 0; i < 100; ++i) {
      const int height = 300 + i;
      asked += r.Consider(Target(height) + 9, height * 15, Target(height), i * step_ms) == kAsk;
    }
    EXPECT_EQ(asked, step_ms == 1 ? WidthRequests::kMostAnswered + 1 : 100) << step_ms;
  }
}

}  // namespace
}  // namespace velune::layout
