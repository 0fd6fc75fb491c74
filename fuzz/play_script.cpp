// Play scripts: any text is either a list of actions or one error that names its line;
// the actions read back the same when written out again.
#include <sstream>

#include "fuzz_input.h"
#include "tool/script.h"

namespace {

std::string Written(const velune::Action& action) {
  using Kind = velune::Action::Kind;
  switch (action.kind) {
    case Kind::kWait:
      return "wait " + std::to_string(action.value);
    case Kind::kClick:
      return action.value == 1 ? "click left" : action.value == 2 ? "click right" : "click middle";
    case Kind::kSelect:
      return "select " + std::to_string(action.value);
    case Kind::kGive:
      return "give";
    case Kind::kAbout:
      return "about";
    case Kind::kShow:
      return "show";
    case Kind::kClose:
      return "close";
  }
  return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<velune::Action> actions;
  try {
    std::istringstream in(text);
    actions = velune::ParseScript(in);
  } catch (const velune::ScriptError& e) {
    FUZZ_CHECK(std::string_view(e.what()).rfind("script line ", 0) == 0);
    return 0;
  }
  int line = 0;
  std::string again;
  for (const auto& action : actions) {
    FUZZ_CHECK(action.line > line);
    line = action.line;
    FUZZ_CHECK(action.value >= 0);
    if (action.kind == velune::Action::Kind::kClick) {
      FUZZ_CHECK(action.value == 1 || action.value == 2 || action.value == 4);
    }
    again += Written(action) + "\n";
  }
  std::istringstream in(again);
  const auto reread = velune::ParseScript(in);
  FUZZ_CHECK(reread.size() == actions.size());
  for (std::size_t i = 0; i < actions.size(); ++i) {
    FUZZ_CHECK(reread[i].kind == actions[i].kind && reread[i].value == actions[i].value);
  }
  return 0;
}
