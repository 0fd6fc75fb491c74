#pragma once

#include <string>
#include <vector>

namespace velune {

// The tool's arguments in UTF-8, the program's name first, whatever the system's code
// page: on Windows they come from the UTF-16 command line.
std::vector<std::string> ArgumentsInUtf8(int argc, char** argv);

// Standard output and error write bytes as they are: no LF becomes CR LF on Windows, so
// that the output is the same on every system.
void WriteBytesAsTheyAre();

// Standard input reads bytes as they are: no CR LF becomes LF on Windows, for input whose
// lengths count bytes.
void ReadBytesAsTheyAre();

}  // namespace velune
