// velune-tool: the story author's command line.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tool/script.h"
#include "tool/scripted_player.h"

namespace {

int RunCommand(const std::string& game_dir, const std::string& script_path, bool trace_mci) {
  using velune::kRunBadScript;
  std::error_code error;
  if (!std::filesystem::is_directory(game_dir, error)) {
    std::cerr << "velune-tool run: " << game_dir << ": no such game folder\n";
    return kRunBadScript;
  }
  std::vector<velune::Action> script;
  try {
    if (script_path == "-") {
      script = velune::ParseScript(std::cin);
    } else {
      std::ifstream file(script_path);
      if (!file) {
        std::cerr << "velune-tool run: cannot read the script " << script_path << "\n";
        return kRunBadScript;
      }
      script = velune::ParseScript(file);
    }
  } catch (const velune::ScriptError& e) {
    std::cerr << "velune-tool run: " << e.what() << "\n";
    return kRunBadScript;
  }
  const int status = velune::PlayScript(game_dir, script, trace_mci, std::cout, std::cerr);
  std::cout.flush();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"velune-tool: tools for Velune story authors"};
  app.require_subcommand(1);

  std::string game_dir;
  std::string script_path = "-";
  bool trace_mci = false;
  CLI::App* run =
      app.add_subcommand("run", "Play a game folder headlessly from a script of player actions");
  run->add_flag("--trace-mci", trace_mci, "Also print every music command as it is sent");
  run->add_option("GAME_DIR", game_dir, "The game folder (holds dat/ and grf/)")->required();
  run->add_option("SCRIPT", script_path,
                  "The script of player actions; - or none reads standard input");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return velune::kRunBadScript;
  }
  if (run->parsed()) return RunCommand(game_dir, script_path, trace_mci);
  return 0;
}
