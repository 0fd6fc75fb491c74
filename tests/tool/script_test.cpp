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

TEST(Script, ReadsOneActionALine) {
  const auto actions = Parse(
      "# a comment\n\n  wait 250\r\nclick right\n\tclick middle\nselect "
      "3\ngive\nabout\nshow\nclose\n");
  ASSERT_EQ(actions.size(), 8u);
  EXPECT_EQ(actions[0].kind, Action::Kind::kWait);
  EXPECT_EQ(actions[0].value, 250);
  EXPECT_EQ(actions[0].line, 3);
  EXPECT_EQ(actions[1].value, 2);
  EXPECT_EQ(actions[2].value, 4);
  EXPECT_EQ(actions[3].kind, Action::Kind::kSelect);
  EXPECT_EQ(actions[3].value, 3);
  EXPECT_EQ(actions[7].kind, Action::Kind::kClose);
  EXPECT_TRUE(Parse("").empty());
  EXPECT_TRUE(Parse("   # wait x\n").empty());
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
