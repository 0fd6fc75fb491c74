#include "tool/console.h"

namespace velune {

std::vector<std::string> ArgumentsInUtf8(int argc, char** argv) { return {argv, argv + argc}; }

void WriteBytesAsTheyAre() {}

void ReadBytesAsTheyAre() {}

}  // namespace velune
