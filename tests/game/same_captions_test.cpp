// The window and velune-tool run play the same game: one session, acted out in both,
// must show the same controls.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "tool/script.h"
#include "tool/scripted_player.h"
#include "window_fixture.h"

namespace velune::testing {
namespace {

constexpr char kSession[] = R"(
wait 100
show
click left
show
click middle
show
wait 450
show
click left
show
wait 100
show
click left
show
wait 300
show
select 2
select 1
give
show
wait 150
show
click left
click left
show
wait 200
click right
show
wait 50
show
)";

// What the window shows, in the words of the scripted player's snapshots.
nlohmann::json ShownBy(const GameWindow& window) {
  const QListWidget* list = Lst(&window);
  const auto caption = [](const QLabel* label) {
    return QString(label->text()).replace("\n", "\r\n").toStdString();
  };
  std::vector<std::string> items;
  for (int i = 0; i < list->count(); ++i) items.push_back(list->item(i)->text().toStdString());
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return {
      {"text", caption(Lbl(&window))},
      {"meter", caption(LoveLbl(&window))},
      {"meterTip", LoveLbl(&window)->toolTip().toStdString()},
      {"items", items},
      {"selected", selected.isEmpty() ? -1 : list->row(selected.first())},
      {"give", AddCom(&window)->isVisible()},
      {"listBg", list->palette().color(QPalette::Base).name().toStdString()},
  };
}

nlohmann::json Compared(const nlohmann::json& snapshot) {
  nlohmann::json kept;
  for (const char* key : {"text", "meter", "meterTip", "items", "selected", "give", "listBg"}) {
    kept[key] = snapshot.at(key);
  }
  return kept;
}

TEST_F(WindowTest, TheWindowShowsWhatTheScriptedPlayerShows) {
  std::istringstream script_text(kSession);
  const std::vector<Action> script = ParseScript(script_text);

  std::ostringstream out, err;
  ASSERT_EQ(PlayScript(folder_.Path(), script, false, out, err), kRunOk) << err.str();
  std::vector<nlohmann::json> tool_shows;
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) {
    const auto j = nlohmann::json::parse(line);
    if (j.contains("text")) tool_shows.push_back(Compared(j));
  }

  ASSERT_TRUE(Start());
  std::vector<nlohmann::json> window_shows;
  for (const Action& action : script) {
    switch (action.kind) {
      case Action::Kind::kWait:
        Wait(action.value);
        break;
      case Action::Kind::kClick:
        ClickLbl(action.value == 2   ? Qt::RightButton
                 : action.value == 4 ? Qt::MiddleButton
                                     : Qt::LeftButton);
        break;
      case Action::Kind::kSelect:
        ClickEntry(static_cast<int>(action.value));
        break;
      case Action::Kind::kGive:
        ClickGive();
        break;
      case Action::Kind::kShow:
        window_shows.push_back(ShownBy(*window_));
        break;
      default:
        FAIL() << "the session uses no other action";
    }
  }

  ASSERT_EQ(window_shows.size(), tool_shows.size());
  for (std::size_t i = 0; i < tool_shows.size(); ++i) {
    EXPECT_EQ(window_shows[i], tool_shows[i]) << "show number " << i + 1;
  }
  EXPECT_EQ(tool_shows.back()["meter"], "♪♪♪♪♪♪♪♪\r\n love・・・");  // the session got somewhere
}

}  // namespace
}  // namespace velune::testing
