// The window and velune-tool run play the same game: one session, acted out in both,
// must show the same controls after every step.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "tool/script.h"
#include "tool/scripted_player.h"
#include "window_fixture.h"

namespace velune::testing {
namespace {

// Reading, skipping with each button, the gift prompt, the right present given, and on.
constexpr char kSession[] =
    "wait 100\nclick left\nclick middle\nwait 450\nclick left\nwait 100\nclick left\nwait 300\n"
    "select 2\nselect 1\ngive\nwait 150\nclick left\nclick left\nwait 200\nclick right\nwait 50\n";

TEST_F(WindowTest, TheWindowShowsWhatTheScriptedPlayerShows) {
  std::istringstream session(kSession);
  const std::vector<Action> actions = ParseScript(session);
  std::vector<Action> script;
  for (const Action& action : actions) {
    script.push_back(action);
    script.push_back(Action{Action::Kind::kShow});
  }
  std::ostringstream out, err;
  ASSERT_EQ(PlayScript(folder_.Path(), script, false, out, err), kRunOk) << err.str();
  std::istringstream tool_lines(out.str());

  const auto caption = [](const QLabel* label) {
    return QString(label->text()).replace("\n", "\r\n").toStdString();
  };
  ASSERT_TRUE(Start());
  std::string meter;
  for (const Action& action : actions) {
    if (action.kind == Action::Kind::kWait) Wait(action.value);
    if (action.kind == Action::Kind::kClick) {
      ClickLbl(action.value == 2   ? Qt::RightButton
               : action.value == 4 ? Qt::MiddleButton
                                   : Qt::LeftButton);
    }
    if (action.kind == Action::Kind::kSelect) ClickEntry(static_cast<int>(action.value));
    if (action.kind == Action::Kind::kGive) QTest::mouseClick(AddCom(), Qt::LeftButton);
    nlohmann::json tool;
    while (!tool.contains("text")) {
      std::string line;
      ASSERT_TRUE(std::getline(tool_lines, line)) << "the player showed less";
      tool = nlohmann::json::parse(line);
    }
    std::vector<std::string> items;
    for (int i = 0; i < Lst()->count(); ++i) items.push_back(Lst()->item(i)->text().toStdString());
    const QList<QListWidgetItem*> selected = Lst()->selectedItems();
    const nlohmann::json shown = {
        {"text", caption(Lbl())},
        {"meter", caption(LoveLbl())},
        {"meterTip", LoveLbl()->toolTip().toStdString()},
        {"items", items},
        {"selected", selected.isEmpty() ? -1 : Lst()->row(selected.first())},
        {"give", AddCom()->isVisible()},
        {"listBg", Lst()->palette().color(QPalette::Base).name().toStdString()},
    };
    nlohmann::json told;
    for (const auto& item : shown.items()) told[item.key()] = tool.at(item.key());
    EXPECT_EQ(shown, told) << "after the action of line " << action.line;
    meter = shown["meter"];
  }
  EXPECT_EQ(meter, "♪♪♪♪♪♪♪♪\r\n love・・・");  // the session got somewhere
}

}  // namespace
}  // namespace velune::testing
