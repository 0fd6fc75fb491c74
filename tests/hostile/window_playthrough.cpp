#include "window_playthrough.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "game/window_fixture.h"
#include "media/mci_interpreter.h"
#include "media/virtual_tune_device.h"
#include "tool/script.h"

namespace velune::testing {
namespace {

// Plays the actions on the window; false, with the reason, when it ended on the way.
bool Act(GameWindow& window, VirtualClock& clock, const std::vector<Action>& actions,
         const std::vector<QString>& errors) {
  for (const Action& action : actions) {
    switch (action.kind) {
      case Action::Kind::kWait:
        Advance(window, clock, action.value);
        break;
      case Action::Kind::kClick:
        QTest::mouseClick(Lbl(&window), action.value == 2 ? Qt::RightButton : Qt::LeftButton, {},
                          QPoint(5, 5));
        break;
      case Action::Kind::kSelect:
        Lst(&window)->setCurrentRow(static_cast<int>(action.value));
        break;
      case Action::Kind::kGive:
        QTest::mouseClick(AddCom(&window), Qt::LeftButton);
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
    GameWindow window({files, mci, QuietBoxes(&errors), &clock});
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
