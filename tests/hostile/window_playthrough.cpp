#include "window_playthrough.h"

#include <unistd.h>

#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <cstdio>
#include <fstream>

#include "game/caption_label.h"
#include "game/game_window.h"
#include "media/mci_interpreter.h"
#include "media/virtual_tune_device.h"
#include "story/disk_file_system.h"
#include "story/game.h"
#include "tool/script.h"
#include "tool/virtual_clock.h"

namespace velune::testing {
namespace {

// Plays the actions on the window; false, with the reason, when it ended on the way.
bool Act(GameWindow& window, VirtualClock& clock, const std::vector<Action>& actions,
         const std::vector<QString>& errors) {
  auto* lbl = window.findChild<CaptionLabel*>("Lbl");
  auto* lst = window.findChild<QListWidget*>("Lst");
  auto* add_com = window.findChild<QPushButton*>("AddCom");
  for (const Action& action : actions) {
    switch (action.kind) {
      case Action::Kind::kWait:
        clock.AdvanceTo(clock.Now() + action.value, [&](TimerId id) {
          window.TimerTick(id);
          return !window.Ended();
        });
        break;
      case Action::Kind::kClick:
        QTest::mouseClick(lbl, action.value == 2 ? Qt::RightButton : Qt::LeftButton, {},
                          QPoint(5, 5));
        break;
      case Action::Kind::kSelect:
        lst->setCurrentRow(static_cast<int>(action.value));
        break;
      case Action::Kind::kGive:
        QTest::mouseClick(add_com, Qt::LeftButton);
        break;
      case Action::Kind::kAbout:
      case Action::Kind::kShow:
      case Action::Kind::kClose:
        break;
    }
    if (window.Ended()) {
      std::fprintf(stderr, "the game ended at line %d: %s\n", action.line,
                   errors.empty() ? "" : errors.front().toStdString().c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int PlayThroughInWindow(const std::string& folder) {
  std::ifstream play(std::string(VELUNE_SOURCE_DIR) + "/tests/tool/plays/end3.play");
  const auto actions = ParseScript(play);
  ::access(kBegins, F_OK);
  bool ended_well = false;
  {
    VirtualClock clock;
    VirtualTuneDevice tune([&] { return clock.Now(); });
    MciInterpreter mci(tune);
    DiskFileSystem files;
    std::vector<QString> errors;
    GameWindow window({files, mci,
                       MessageBoxes{[](QWidget*, const QString&) {},
                                    [&](QWidget*, const QString& text) { errors.push_back(text); }},
                       &clock});
    if (window.Start(folder) && Act(window, clock, actions, errors)) {
      ended_well = window.game().SceneName() == "end3" && window.game().Love() == 30;
      if (!ended_well) std::fprintf(stderr, "the third ending was not reached\n");
    }
    window.close();
    ended_well = ended_well && window.Ended();
  }
  ::access(kEnds, F_OK);
  return ended_well ? 0 : 1;
}

}  // namespace velune::testing
