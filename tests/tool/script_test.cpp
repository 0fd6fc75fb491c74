#include <gtest/gtest.h>

#include <sstream>

#include "tool/script.h"
#include "tool/virtual_clock.h"

namespace velune {
namespace {

std::vector<Action> Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseScript(in);
}

std::string ErrorOf(const std::string& text) {
  try {
    Parse(text);
  } catch (const ScriptError& e) {
    return e.what();
  }
  return "";
}

// Each action as kind:value@line.
TEST(Script, ReadsOneActionALine) {
  std::string read;
  for (const Action& a : Parse("# a comment\n\n  wait 250\r\nclick right\n\tclick middle\n"
                               "select 3\ngive\nabout\nshow\nclose\n   # wait x\n"))
    read += std::to_string(int(a.kind)) + ":" + std::to_string(a.value) + "@" +
            std::to_string(a.line) + " ";
  EXPECT_EQ(read, "0:250@3 1:2@4 1:4@5 2:3@6 3:0@7 4:0@8 5:0@9 6:0@10 ");
  EXPECT_TRUE(Parse("").empty());
}

TEST(Script, ErrorsNameTheLine) {
  const std::string not_ms = "wait takes a whole number of milliseconds, 0 or more";
  const std::string actions = " (wait, click, select, give, about, show, close)";
  const std::pair<const char*, std::string> cases[] = {
      {"show\njump 3\n", "script line 2: unknown action \"jump\"" + actions},
      {"Show", "script line 1: unknown action \"Show\"" + actions},
      {"wait -1", "script line 1: " + not_ms},
      {"wait 1.5", "script line 1: " + not_ms},
      {"wait 1000000000001", "script line 1: wait is too long"},  // thirty years and 1 ms
      {"wait 99999999999999999999", "script line 1: " + not_ms},
      {"wait", "script line 1: expected \"wait MS\""},
      {"click up", "script line 1: click takes left, right or middle"},
      {"select one", "script line 1: select takes an entry number, 0 or more"},
      {"give 2", "script line 1: expected \"give\""},
  };
  for (const auto& [script, error] : cases) EXPECT_EQ(ErrorOf(script), error) << script;
  // Waits are added up on the virtual clock: thirty thousand years fit, a millisecond more
  // does not.
  std::string waits;
  for (int i = 0; i < 1000; ++i) waits += "wait 1000000000000\n";
  EXPECT_EQ(Parse(waits).size(), 1000u);
  EXPECT_EQ(ErrorOf(waits + "show\nwait 1\n"),
            "script line 1002: the waits add up to too long a time");
}

// Ticks run in time order, ties in the order the timers last started; arming restarts the
// count, also inside a tick; interval 0 or a disabled timer never ticks; a handler can stop.
TEST(VirtualClock, TicksInTimeOrder) {
  VirtualClock clock;
  std::vector<std::pair<std::int64_t, TimerId>> ticks;
  const auto record = [&](TimerId id) {
    ticks.emplace_back(clock.Now(), id);
    if (clock.Now() == 1150) clock.Arm(TimerId::kTimIve, true, 120);
    return clock.Now() < 1500;
  };
  clock.Arm(TimerId::kBgmCheck, true, 1000);
  clock.Arm(TimerId::kTimIve, true, 100);
  EXPECT_TRUE(clock.AdvanceTo(1000, record));
  ASSERT_EQ(ticks.size(), 11u);
  EXPECT_EQ(ticks[9], std::make_pair(std::int64_t{1000}, TimerId::kBgmCheck));
  EXPECT_EQ(ticks[10], std::make_pair(std::int64_t{1000}, TimerId::kTimIve));
  clock.Arm(TimerId::kBgmCheck, false, 1000);
  clock.AdvanceTo(1050, record);
  clock.Arm(TimerId::kTimIve, true, 100);  // the same value restarts the count
  ticks.clear();
  EXPECT_FALSE(clock.AdvanceTo(9000, record));
  EXPECT_EQ(ticks, (std::vector<std::pair<std::int64_t, TimerId>>{{1150, TimerId::kTimIve},
                                                                  {1270, TimerId::kTimIve},
                                                                  {1390, TimerId::kTimIve},
                                                                  {1510, TimerId::kTimIve}}));
  EXPECT_EQ(clock.Now(), 1510);
  clock.Arm(TimerId::kTimIve, true, 0);
  clock.Arm(TimerId::kTimQst, false, 100);
  EXPECT_TRUE(clock.AdvanceTo(20000, record));
  EXPECT_EQ(ticks.size(), 4u);
}

}  // namespace
}  // namespace velune
