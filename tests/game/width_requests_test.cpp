#include "game/width_requests.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace velune::layout {
namespace {

using Verdict = WidthRequests::Verdict;

// The 4:3 outer width in pixels for an outer height in pixels, as the window works it out.
int Target(int height) { return (height * 4 + 1) / 3; }
std::int32_t Twips(int height) { return height * 15; }

TEST(LayoutWidthRequests, AsksOnceAndIsContentWhenTheWindowTakesTheWidth) {
  WidthRequests r;
  EXPECT_EQ(r.Consider(500, Twips(300), 400, 0), Verdict::kAsk);
  EXPECT_EQ(r.Consider(400, Twips(300), 400, 1), Verdict::kInShape);
  EXPECT_EQ(r.Requests(), 1);
}

TEST(LayoutWidthRequests, AWidthChangedAtTheSameHeightIsAskedBackOnce) {
  WidthRequests r;
  ASSERT_EQ(r.Consider(500, Twips(300), 400, 0), Verdict::kAsk);
  // The player drags the side (or the window manager answers): asked again.
  EXPECT_EQ(r.Consider(450, Twips(300), 400, 10), Verdict::kAsk);
  // Still another width at this height: the window manager wants it so.
  EXPECT_EQ(r.Consider(450, Twips(300), 400, 20), Verdict::kHeld);
  EXPECT_EQ(r.Consider(450, Twips(300), 400, 5000), Verdict::kHeld);  // late or soon
  EXPECT_EQ(r.Requests(), 2);
  // Another height is asked for again.
  EXPECT_EQ(r.Consider(450, Twips(330), 440, 6000), Verdict::kAsk);
}

TEST(LayoutWidthRequests, AHeldWidthIsAskedOnceMoreWhenTheWindowHasSettled) {
  WidthRequests r;
  r.Consider(500, Twips(300), 400, 0);
  r.Consider(450, Twips(300), 400, 10);
  ASSERT_EQ(r.Consider(460, Twips(300), 400, 20), Verdict::kHeld);
  ASSERT_TRUE(r.SettleAllowed());
  EXPECT_EQ(r.Settle(460, Twips(300), 400, 300), Verdict::kAsk);
  EXPECT_FALSE(r.SettleAllowed());
  // Answered once more with another width: held, and nothing is left for later.
  EXPECT_EQ(r.Consider(455, Twips(300), 400, 310), Verdict::kHeld);
  EXPECT_FALSE(r.SettleAllowed());
  EXPECT_EQ(r.Settle(455, Twips(300), 400, 900), Verdict::kHeld);
  EXPECT_EQ(r.Requests(), 3);
}

TEST(LayoutWidthRequests, ASettledWindowInShapeAsksNothing) {
  WidthRequests r;
  r.Consider(500, Twips(300), 400, 0);
  r.Consider(450, Twips(300), 400, 10);
  EXPECT_EQ(r.Settle(400, Twips(300), 400, 300), Verdict::kInShape);
  EXPECT_EQ(r.Requests(), 2);
}

TEST(LayoutWidthRequests, ARunOfAnswersWithNewHeightsEnds) {
  WidthRequests r;
  int height = 300;
  int asked = 0;
  for (int i = 0; i < 100; ++i) {
    if (r.Consider(Target(height) + 9, Twips(height), Target(height), i) == Verdict::kAsk) {
      ++asked;
    }
    ++height;  // each answer comes at once with another height
  }
  EXPECT_EQ(asked, WidthRequests::kMostAnswered + 1);
}

TEST(LayoutWidthRequests, ThePlayersDragAsksAgainOnceTheAnswersHaveHadTheirTime) {
  WidthRequests r;
  int asked = 0;
  std::int64_t now = 0;
  for (int height = 300; height < 400; height += 5) {
    now += WidthRequests::kAnswerMs;  // slower than any answer
    if (r.Consider(Target(height) + 30, Twips(height), Target(height), now) == Verdict::kAsk) {
      ++asked;
    }
  }
  EXPECT_EQ(asked, 20);
}

TEST(LayoutWidthRequests, ForgettingStartsAfresh) {
  WidthRequests r;
  r.Consider(500, Twips(300), 400, 0);
  r.Consider(450, Twips(300), 400, 10);
  ASSERT_EQ(r.Consider(450, Twips(300), 400, 20), Verdict::kHeld);
  r.Forget();  // restored from maximized, say
  EXPECT_EQ(r.Consider(450, Twips(300), 400, 30), Verdict::kAsk);
}

// A window manager that answers every request at once, or late, in its own way, and a
// window that runs a pass for every answer and settles when the answers stop: the
// requests always come to an end.
struct Answer {
  int width, height;
};
using Manager = std::function<Answer(int asked_width, int height, int round)>;

int RequestsUntilQuiet(const Manager& manager, std::int64_t answer_delay) {
  WidthRequests r;
  int width = 700, height = 300;
  std::int64_t now = 0;
  bool settle_armed = false;
  for (int round = 0; round < 10000; ++round) {
    const int target = Target(height);
    Verdict v = r.Consider(width, Twips(height), target, now);
    if (v == Verdict::kHeld) settle_armed = r.SettleAllowed();
    if (v != Verdict::kAsk && settle_armed) {
      now += WidthRequests::kSettleMs;  // nothing more comes: the window settles
      settle_armed = false;
      v = r.Settle(width, Twips(height), target, now);
    }
    if (v != Verdict::kAsk) return r.Requests();  // quiet: no request, no answer
    const Answer a = manager(target, height, round);
    if (a.width == target && a.height == height) return r.Requests();  // taken: quiet
    width = a.width;
    height = a.height;
    now += answer_delay;
  }
  return -1;  // it went round for ever
}

TEST(LayoutWidthRequests, NoWindowManagerKeepsTheRequestsGoing) {
  const std::pair<const char*, Manager> managers[] = {
      {"takes the width",
       [](int w, int h, int) {
         return Answer{w, h};
       }},
      {"keeps its width",
       [](int, int h, int) {
         return Answer{700, h};
       }},
      {"answers another width",
       [](int w, int h, int) {
         return Answer{w + 7, h};
       }},
      {"answers a new width each time",
       [](int w, int h, int round) {
         return Answer{w + 1 + round, h};
       }},
      {"answers one more pixel of height",
       [](int w, int h, int) {
         return Answer{w, h + 1};
       }},
      {"answers another height and width",
       [](int w, int h, int round) {
         return Answer{w - 3, h + (round % 2 ? 2 : -1)};
       }},
      {"swings between two heights",
       [](int w, int, int round) {
         return Answer{w + 5, round % 2 ? 300 : 310};
       }},
      {"tiles the window",
       [](int, int, int) {
         return Answer{640, 1000};
       }},
  };
  for (const auto& [name, manager] : managers) {
    for (const std::int64_t delay : {std::int64_t{0}, std::int64_t{20}}) {
      SCOPED_TRACE(std::string(name) + ", answering after " + std::to_string(delay) + " ms");
      const int requests = RequestsUntilQuiet(manager, delay);
      EXPECT_GE(requests, 1);
      EXPECT_LE(requests, WidthRequests::kMostAnswered + 2);
    }
  }
}

TEST(LayoutWidthRequests, ALateAnswerAtTheSameHeightIsHeldToo) {
  WidthRequests r;
  ASSERT_EQ(r.Consider(700, Twips(300), 400, 0), Verdict::kAsk);
  ASSERT_EQ(r.Consider(650, Twips(300), 400, 2000), Verdict::kAsk);
  EXPECT_EQ(r.Consider(650, Twips(300), 400, 4000), Verdict::kHeld);
  EXPECT_EQ(r.Settle(650, Twips(300), 400, 6000), Verdict::kAsk);
  EXPECT_EQ(r.Consider(650, Twips(300), 400, 8000), Verdict::kHeld);
  EXPECT_FALSE(r.SettleAllowed());
}

}  // namespace
}  // namespace velune::layout
