#include "tool/graphviz.h"

#include <stdexcept>
#include <vector>

#include "story/translation.h"
#include "tool/system_programs.h"

namespace velune {

void RenderDot(const std::string& dot, const std::string& format, const std::string& output) {
  const auto program = FindProgram("dot");
  if (!program) {
    throw std::runtime_error(Tr("tool",
                                "Graphviz is not installed (no program \"dot\" on the PATH), so "
                                "the map cannot be drawn as %1; install the graphviz package, or "
                                "leave out -o to print the map as DOT text")
                                 .Arg(format));
  }
  const TemporaryFile input(dot);
  std::vector<std::string> args{*program, "-T" + format, "-o", output, input.Path()};
  if (format == "png") args.insert(args.begin() + 1, "-Gdpi=144");  // sharp small text
  if (const int status = RunProgram(args); status != 0) {
    throw std::runtime_error(
        Tr("tool", "Graphviz could not draw the map into %1 (dot exited with status %2)")
            .Arg(output)
            .Arg(status));
  }
}

}  // namespace velune
