// velune-tool: the story author's command line.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>

#include "game/play_window.h"
#include "story/ascii.h"
#include "story/disk_file_system.h"
#include "story/translation.h"
#include "story/user_languages.h"
#include "story/utf8_paths.h"
#include "tool/command_line.h"
#include "tool/console.h"
#include "tool/ending_search.h"
#include "tool/graphviz.h"
#include "tool/headless_pictures.h"
#include "tool/lsp_server.h"
#include "tool/measured_check.h"
#include "tool/script.h"
#include "tool/scripted_player.h"
#include "tool/story_check.h"
#include "tool/story_map.h"
#include "tool/story_model.h"

namespace {

// Exit statuses of check and map; a usage error is 2 for every command, as for run.
constexpr int kToolOk = 0;
constexpr int kToolFailed = 1;  // check: the story has an error; map: it cannot be drawn
constexpr int kToolUsage = velune::kRunBadScript;

bool IsGameFolder(const char* command, const std::string& game_dir) {
  std::error_code error;
  if (std::filesystem::is_directory(velune::PathFromUtf8(game_dir), error)) return true;
  std::cerr << "velune-tool " << command << ": "
            << velune::Tr("tool", "%1: no such game folder").Arg(game_dir).Text() << "\n";
  return false;
}

int RunCommand(const std::string& game_dir, const std::string& script_path, bool trace_mci) {
  if (!IsGameFolder("run", game_dir)) return kToolUsage;
  std::vector<velune::Action> script;
  try {
    script = velune::ReadScript(script_path);
  } catch (const velune::ScriptError& e) {
    std::cerr << "velune-tool run: " << e.what() << "\n";
    return velune::kRunBadScript;
  }
  std::ostringstream problem;  // the player's own message, for a select out of the list
  const int status = velune::PlayScript(game_dir, script, trace_mci, std::cout, problem);
  std::cout.flush();
  if (!problem.str().empty()) std::cerr << "velune-tool run: " << problem.str();
  return status;
}

struct CheckedStory {
  velune::Story story;
  velune::EndingSearch search;
  velune::Findings findings;
};

// `measure_pages`: measure the pages on the story text box, with no display (not where
// the real window opens next).
CheckedStory CheckFolder(const std::string& game_dir, std::size_t state_limit,
                         bool measure_pages = true) {
  velune::DiskFileSystem files;
  velune::HeadlessPictures pictures;
  CheckedStory checked{velune::LoadStory(files, pictures, game_dir), {}, {}};
  checked.search = velune::SearchEndings(checked.story, state_limit);
  checked.findings = measure_pages ? velune::CheckStoryOnWindow(checked.story, checked.search)
                                   : velune::CheckStory(checked.story, checked.search);
  return checked;
}

// `strict`: a warning fails the check as an error does.
int CheckCommand(const std::string& game_dir, bool json, bool strict, std::size_t state_limit) {
  if (!IsGameFolder("check", game_dir)) return kToolUsage;
  const CheckedStory checked = CheckFolder(game_dir, state_limit);
  if (json) {
    velune::WriteFindingsJson(std::cout, checked.findings, game_dir);
  } else {
    velune::WriteFindingsText(std::cout, checked.findings, game_dir);
  }
  std::cout.flush();
  const velune::FindingCounts counts = checked.findings.Counts();
  return counts.errors > 0 || (strict && counts.warnings > 0) ? kToolFailed : kToolOk;
}

// The drawing format that the name of an output file asks for: "svg", "png", "pdf",
// "dot"; empty when there is none.
std::string FormatOf(const std::string& output) {
  const std::string extension =
      velune::AsciiLowered(velune::Utf8FromPath(velune::PathFromUtf8(output).extension()));
  for (const char* format : {".svg", ".png", ".pdf", ".dot", ".gv"}) {
    if (extension == format) return extension == ".gv" ? "dot" : extension.substr(1);
  }
  return "";
}

int MapCommand(const std::string& game_dir, const std::string& output) {
  if (!IsGameFolder("map", game_dir)) return kToolUsage;
  const std::string format = output.empty() ? "dot" : FormatOf(output);
  if (format.empty()) {
    std::cerr << "velune-tool map: "
              << velune::Tr("tool", "%1: the output file must end in .svg, .png, .pdf or .dot")
                     .Arg(output)
                     .Text()
              << "\n";
    return kToolUsage;
  }
  const CheckedStory checked = CheckFolder(game_dir, velune::kDefaultStateLimit);
  std::string title = velune::Utf8FromPath(
      std::filesystem::weakly_canonical(velune::PathFromUtf8(game_dir)).filename());
  if (title.empty()) title = game_dir;
  const std::string dot =
      velune::StoryMapDot(checked.story, checked.search, checked.findings, title);
  if (output.empty()) {
    std::cout << dot;
    std::cout.flush();
    return kToolOk;
  }
  try {
    if (format == "dot") {
      std::ofstream file(velune::PathFromUtf8(output), std::ios::binary);
      file << dot;
      if (!file.flush()) {
        throw std::runtime_error(velune::Tr("tool", "cannot write %1").Arg(output));
      }
    } else {
      velune::RenderDot(dot, format, output);
    }
  } catch (const std::runtime_error& e) {
    std::cerr << "velune-tool map: " << e.what() << "\n";
    return kToolFailed;
  }
  return kToolOk;
}

// The real game window on another story folder; the game itself takes no command line.
// What the checker finds wrong is printed first, as the window shows only the first error
// the game stops on.
int PlayCommand(char* program, const std::string& game_dir) {
  if (!IsGameFolder("play", game_dir)) return kToolUsage;
  const velune::Findings findings =
      CheckFolder(game_dir, velune::kDefaultStateLimit, false).findings;
  const velune::FindingCounts counts = findings.Counts();
  if (counts.errors > 0) {
    for (const velune::Finding& f : findings.Sorted()) {
      if (f.severity == velune::Severity::kError) velune::WriteFindingLine(std::cerr, f, game_dir);
    }
    std::cerr << "velune-tool play: "
              << velune::Tr("tool", "%1; run \"velune-tool check %2\" for every finding")
                     .Arg(velune::SummaryLine(counts))
                     .Arg(game_dir)
                     .Text()
              << "\n";
  }
  int qt_argc = 1;
  char* qt_argv[] = {program, nullptr};
  return velune::PlayInWindow(qt_argc, qt_argv, game_dir);
}

}  // namespace

int main(int argc, char** argv) {
  velune::SpeakUserLanguage();
  velune::WriteBytesAsTheyAre();
  std::vector<std::string> arguments = velune::ArgumentsInUtf8(argc, argv);
  std::vector<char*> utf8;
  for (std::string& argument : arguments) utf8.push_back(argument.data());
  utf8.push_back(nullptr);
  argc = static_cast<int>(arguments.size());
  argv = utf8.data();

  velune::CommandLine command_line;
  CLI::App& app = command_line.app();

  std::string game_dir;
  std::string script_path = "-";
  bool trace_mci = false;
  const std::string game_dir_help = velune::Tr("tool", "The game folder (holds dat/ and grf/)");
  CLI::App* run = app.add_subcommand(
      "run", velune::Tr("tool", "Play a game folder headlessly from a script of player actions"));
  run->add_flag("--trace-mci", trace_mci,
                velune::Tr("tool", "Also print every music command as it is sent"));
  run->add_option("GAME_DIR", game_dir, game_dir_help)->required();
  run->add_option(
      "SCRIPT", script_path,
      velune::Tr("tool", "The script of player actions; - or none reads standard input"));

  bool json = false;
  bool strict = false;
  std::size_t state_limit = velune::kDefaultStateLimit;
  CLI::App* check = app.add_subcommand(
      "check", velune::Tr("tool",
                          "Check a story for mistakes, the way the game will read it (exit 1 on "
                          "an error, or on a warning with --strict)"));
  check->add_option("GAME_DIR", game_dir, game_dir_help)->required();
  check->add_flag("--json", json, velune::Tr("tool", "Write the findings as JSON lines"));
  check->add_flag("--strict,--werror", strict,
                  velune::Tr("tool", "Fail (exit 1) on a warning too, not only on an error"));
  check
      ->add_option(
          "--max-states", state_limit,
          velune::Tr("tool", "How many states the search of all plays may visit before it stops"))
      ->check(CLI::Range(std::size_t{1}, std::numeric_limits<std::size_t>::max())
                  .description("POSITIVE"))
      ->capture_default_str();
  app.get_formatter()->label("UINT:POSITIVE", velune::Tr("tool", "UINT:POSITIVE"));

  std::string output;
  CLI::App* map =
      app.add_subcommand("map", velune::Tr("tool", "Draw the story as a graph (Graphviz DOT)"));
  map->add_option("GAME_DIR", game_dir, game_dir_help)->required();
  map->add_option("-o,--output", output,
                  velune::Tr("tool",
                             "Draw into this file (.svg, .png, .pdf through Graphviz, or .dot); "
                             "without it the DOT text goes to standard output"));

  CLI::App* play = app.add_subcommand(
      "play", velune::Tr("tool", "Open the game window on a story folder, to preview it"));
  play->add_option("GAME_DIR", game_dir, game_dir_help)->required();

  CLI::App* lsp = app.add_subcommand(
      "lsp", velune::Tr("tool",
                        "Serve the Language Server Protocol on standard input and output, so that "
                        "an editor shows the checker's findings while a scene file is written"));

  if (const auto status = command_line.Parse(argc, argv)) return *status;
  if (run->parsed()) return RunCommand(game_dir, script_path, trace_mci);
  if (play->parsed()) return PlayCommand(argv[0], game_dir);
  if (lsp->parsed()) {
    velune::ReadBytesAsTheyAre();
    return velune::LspServer(std::cin, std::cout, std::cerr).Run();
  }
  try {
    if (check->parsed()) return CheckCommand(game_dir, json, strict, state_limit);
    if (map->parsed()) return MapCommand(game_dir, output);
  } catch (const std::exception& e) {
    std::cerr << "velune-tool: "
              << velune::Tr("tool", "unexpected failure: %1").Arg(e.what()).Text() << "\n";
    return kToolFailed;
  }
  return 0;
}
