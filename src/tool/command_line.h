#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace velune {

// velune-tool's command line: CLI11's parser, plus what it does not do by itself: the
// `help` command, `--version`, unknown commands named as such, and usage errors that
// start with the name of their command.
class CommandLine {
 public:
  CommandLine();

  // Where the commands and their options are added.
  CLI::App& app() { return app_; }

  // Parses the arguments. Returns the exit status when there is nothing left to do (help,
  // the version, a usage error), or nothing when the chosen command is to run.
  std::optional<int> Parse(int argc, char** argv);

 private:
  int UsageError(const std::string& message) const;

  CLI::App app_;
  std::string topic_;  // the command that `help` explains; empty for the whole tool
};

}  // namespace velune
