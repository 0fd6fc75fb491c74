#include "game/width_requests.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace velune::layout {
namespace {

using Verdict = WidthRequests::Verdict;

// The 4:3 outer width in pixels for an outer height in pixels, as the window works it out.
int Target(int height) { return (height * 4 + 1) / 3; }

// What the window sees at each pass and what it is told, one step a pass:
// "WIDTH@MS VERDICT" at 300 pixels high (where the width in shape is 400), or
// "WIDTHxHEIGHT@MS VERDICT"; "settle ..." when the window was left alone after a held
// pass, "forget" when its state changed. At the end: the requests made, and whether a
// held pass may still be followed by one more.
const struct {
  const char* name;
  const char* steps;
  int requests;
  bool settle_allowed;
} kStories[] = {
    {"asks once and is content when the window takes the width", "500@0 ask, 400@1 shape", 1, true},
    {"asks back a width changed at the same height once, holds it however late, asks at "
     "another height",
     "500@0 ask, 450@10 ask, 450@20 held, 450@5000 held, 450x330@6000 ask", 3, true},
    {"asks a held width once more when the window has settled",
     "500@0 ask, 450@10 ask, 460@20 held, settle 460@300 ask, 455@310 held, settle 455@900 held", 3,
     false},
    {"asks nothing of a settled window in shape", "500@0 ask, 450@10 ask, settle 400@300 shape", 2,
     true},
    {"holds a late answer at the same height too",
     "700@0 ask, 650@2000 ask, 650@4000 held, settle 650@6000 ask, 650@8000 held", 3, false},
    {"starts afresh after forgetting", "500@0 ask, 450@10 ask, 450@20 held, forget, 450@30 ask", 3,
     true},
};

TEST(LayoutWidthRequests, WhenToAskForTheWidth) {
  const std::regex step_form(R"((settle )?(\d+)(?:x(\d+))?@(\d+) (shape|ask|held))");
  const char* const verdicts[] = {"shape", "ask", "held"};  // in the order of Verdict
  for (const auto& story : kStories) {
    SCOPED_TRACE(story.name);
    WidthRequests r;
    std::istringstream steps(story.steps);
    for (std::string step; std::getline(steps >> std::ws, step, ',');) {
      SCOPED_TRACE(step);
      std::smatch m;
      if (step == "forget") {
        r.Forget();
        continue;
      }
      ASSERT_TRUE(std::regex_match(step, m, step_form));
      const int width = std::stoi(m[2]), height = m[3].matched ? std::stoi(m[3]) : 300;
      const std::int64_t ms = std::stoll(m[4]);
      const Verdict verdict = m[1].matched ? r.Settle(width, height * 15, Target(height), ms)
                                           : r.Consider(width, height * 15, Target(height), ms);
      EXPECT_EQ(verdicts[static_cast<int>(verdict)], m[5].str());
    }
    EXPECT_EQ(r.Requests(), story.requests);
    EXPECT_EQ(r.SettleAllowed(), story.settle_allowed);
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
      asked +=
          r.Consider(Target(height) + 9, height * 15, Target(height), i * step_ms) == Verdict::kAsk;
    }
    EXPECT_EQ(asked, step_ms == 1 ? WidthRequests::kMostAnswered + 1 : 100) << step_ms;
  }
}

}  // namespace
}  // namespace velune::layout
