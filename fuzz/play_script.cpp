// Play scripts: any text is either a list of actions or one error that names its line;
// the actions read back the same when written out again.

#include "fuzz_input.h"
#include "tool/script.h"

static void Fuzz(velune::fuzz::FuzzInput& in) {
  using Kind = velune::Action::Kind;
  std::vector<velune::Action> actions;
  try {
    std::istringstream text(in.Rest());
    actions = velune::ParseScript(text);
  } catch (const velune::ScriptError& e) {
    FUZZ_CHECK(std::string_view(e.what()).rfind("script line ", 0) == 0);
    return;
  }
  // Each action written out again: its word (in the order of Action::Kind) and value.
  static constexpr const char* kWords[] = {"wait",  "click", "select", "give",
                                           "about", "show",  "close"};
  int line = 0;
  std::string again;
  for (const auto& action : actions) {
    FUZZ_CHECK(action.line > std::exchange(line, action.line));
    FUZZ_CHECK(action.value >= 0);
    again += kWords[static_cast<int>(action.kind)];
    if (action.kind == Kind::kWait || action.kind == Kind::kSelect)
      again += " " + std::to_string(action.value);
    if (action.kind == Kind::kClick) {
      FUZZ_CHECK(action.value == 1 || action.value == 2 || action.value == 4);
      again += action.value == 1 ? " left" : action.value == 2 ? " right" : " middle";
    }
    again += "\n";
  }
  std::istringstream written(again);
  const auto reread = velune::ParseScript(written);
  FUZZ_CHECK(reread.size() == actions.size());
  for (std::size_t i = 0; i < actions.size(); ++i)
    FUZZ_CHECK(reread[i].kind == actions[i].kind && reread[i].value == actions[i].value);
}
