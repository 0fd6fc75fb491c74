#include "tool/command_line.h"

#include <iostream>
#include <memory>
#include <sstream>

#include "story/translation.h"
#include "tool/scripted_player.h"

namespace velune {
namespace {

constexpr int kUsage = kRunBadScript;  // a usage error is 2 for every command, as for run

const CLI::App* FindCommand(const CLI::App& app, const std::string& name) {
  const auto found =
      app.get_subcommands([&](const CLI::App* command) { return command->check_name(name); });
  return found.empty() ? nullptr : found.front();
}

// Columns that `utf8` takes on a terminal: a character of three or four bytes (kana,
// kanji) takes two.
std::size_t Columns(std::string_view utf8) {
  std::size_t columns = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) columns += byte >= 0xE0 ? 2 : 1;
  }
  return columns;
}

// CLI11's help, with the descriptions lined up by the columns that the left side takes,
// not by its bytes: "GAME_DIR 文字列 必須" is 12 bytes wider than it looks.
class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_option(const CLI::Option* option, bool is_positional) const override {
    const std::string left = make_option_name(option, is_positional) + make_option_opts(option);
    // A left side too wide for its column has the description on the next line, which
    // starts at the column as it is.
    const bool fits = Columns(left) + 2 < column_width_;
    std::stringstream out;
    CLI::detail::format_help(out, left, make_option_desc(option),
                             fits ? column_width_ + left.size() - Columns(left) : column_width_);
    return out.str();
  }
};

}  // namespace

CommandLine::CommandLine()
    : app_(Tr("tool", "velune-tool: tools for Velune story authors"), "velune-tool") {
  // CLI11's own words in the help: the labels its formatter looks up, and the names of the
  // groups that options and commands are listed under, which every command inherits.
  app_.formatter(std::make_shared<HelpFormatter>());
  CLI::FormatterBase& words = *app_.get_formatter();
  words.label("Usage", Tr("tool", "Usage"));
  words.label("OPTIONS", Tr("tool", "OPTIONS"));
  words.label("SUBCOMMAND", Tr("tool", "SUBCOMMAND"));
  words.label("SUBCOMMANDS", Tr("tool", "SUBCOMMANDS"));
  words.label("Positionals", Tr("tool", "Positionals"));
  words.label("REQUIRED", Tr("tool", "REQUIRED"));
  words.label("TEXT", Tr("tool", "TEXT"));
  app_.option_defaults()->group(Tr("tool", "Options"));
  app_.group(Tr("tool", "Subcommands"));
  app_.set_help_flag("-h,--help", Tr("tool", "Print this help message and exit"));
  app_.set_version_flag("--version", "velune-tool " VELUNE_VERSION,
                        Tr("tool", "Display program version information and exit"));
  app_.require_subcommand(1);
  app_.allow_windows_style_options(false);  // "/x" is a path, on Windows too
}

std::optional<int> CommandLine::Parse(int argc, char** argv) {
  // Added last, so that the list of commands ends with it.
  CLI::App* help =
      app_.add_subcommand("help", Tr("tool", "Print the help of velune-tool, or of COMMAND"));
  help->add_option("COMMAND", topic_, Tr("tool", "The command to explain"));
  // A command makes its help flag before it takes on the options' group from the tool.
  for (CLI::App* command : app_.get_subcommands([](CLI::App*) { return true; })) {
    command->get_help_ptr()->group(app_.option_defaults()->get_group());
  }

  if (argc < 2) return UsageError(Tr("tool", "a command is required"));
  const std::string first = argv[1];
  if (first.front() != '-' && FindCommand(app_, first) == nullptr) {
    return UsageError(Tr("tool", "unknown command \"%1\"").Arg(first));
  }
  try {
    app_.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help or --version
    return app_.exit(e);
  } catch (const CLI::ParseError& e) {
    const auto chosen = app_.get_subcommands();
    const std::string name =
        app_.get_name() + (chosen.empty() ? "" : " " + chosen.front()->get_name());
    // CLI11 says what is wrong in English; the advice after it is ours.
    std::cerr << name << ": " << e.what() << "\n"
              << Tr("tool", "Run %1 --help for more information.").Arg(name).Text() << "\n";
    return kUsage;
  }
  if (!help->parsed()) return std::nullopt;
  // The help of the tool or command itself: App::help() would explain `help`, the command
  // chosen on this command line.
  const CLI::App* command = topic_.empty() ? &app_ : FindCommand(app_, topic_);
  if (command == nullptr) return UsageError(Tr("tool", "unknown command \"%1\"").Arg(topic_));
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
