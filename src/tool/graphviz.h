#pragma once

#include <optional>
#include <string>

namespace velune {

// Draws a graph written in DOT into the file `output`, in `format` ("svg", "png", "pdf")
// through Graphviz's dot program. Throws std::runtime_error with a reason an author can
// act on when Graphviz is missing or fails.
void RenderDot(const std::string& dot, const std::string& format, const std::string& output);

}  // namespace velune
