#include "tool/command_line.h"

#include <iostream>

#include "tool/scripted_player.h"

namespace velune {
namespace {

constexpr int kUsage = kRunBadScript;  // a usage error is 2 for every command, as for run

const CLI::App* FindCommand(const CLI::App& app, const std::string& name) {
  const auto found =
      app.get_subcommands([&](const CLI::App* command) { return command->check_name(name); });
  return found.empty() ? nullptr : found.front();
}

}  // namespace

CommandLine::CommandLine() : app_("velune-tool: tools for Velune story authors", "velune-tool") {
  app_.set_version_flag("--version", "velune-tool " VELUNE_VERSION);
  app_.require_subcommand(1);
  app_.allow_windows_style_options(false);  // "/x" is a path, on Windows too
}

std::optional<int> CommandLine::Parse(int argc, char** argv) {
  // Added last, so that the list of commands ends with it.
  CLI::App* help = app_.add_subcommand("help", "Print the help of velune-tool, or of COMMAND");
  help->add_option("COMMAND", topic_, "The command to explain");

  if (argc < 2) return UsageError("a command is required");
  const std::string first = argv[1];
  if (first.front() != '-' && FindCommand(app_, first) == nullptr) {
    return UsageError("unknown command \"" + first + "\"");
  }
  try {
    app_.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help or --version
    return app_.exit(e);
  } catch (const CLI::ParseError& e) {
    const auto chosen = app_.get_subcommands();
    const std::string name =
        app_.get_name() + (chosen.empty() ? "" : " " + chosen.front()->get_name());
    std::cerr << name << ": " << e.what() << "\nRun " << name << " --help for more information.\n";
    return kUsage;
  }
  if (!help->parsed()) return std::nullopt;
  // The help of the tool or command itself: App::help() would explain `help`, the command
  // chosen on this command line.
  const CLI::App* command = topic_.empty() ? &app_ : FindCommand(app_, topic_);
  if (command == nullptr) return UsageError("unknown command \"" + topic_ + "\"");
  const std::string name = command == &app_ ? "" : app_.get_name() + " ";
  std::cout << app_.get_formatter()->make_help(command, name + command->get_name(),
                                               CLI::AppFormatMode::Normal);
  return kRunOk;
}

// The message, then the commands as the help lists them.
int CommandLine::UsageError(const std::string& message) const {
  std::cerr << app_.get_name() << ": " << message
            << CLI::Formatter().make_subcommands(&app_, CLI::AppFormatMode::Normal);
  return kUsage;
}

}  // namespace velune
