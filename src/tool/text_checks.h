#pragma once

#include <cstddef>
#include <string>

#include "tool/findings.h"
#include "tool/scene_walk.h"
#include "tool/text_file.h"

namespace velune {

// Text that is probably in the wrong encoding: UTF-16, UTF-8 without a byte-order mark,
// and bytes that cannot be decoded. False when the file is UTF-16, which the game cannot
// read at all: its lines mean nothing to check further.
bool CheckEncoding(const TextFile& text, Findings& findings);

// The points line of a gift block that is not a plain whole number: what the game reads
// instead, and full-width digits, which it does not take for a number.
void CheckPointsLine(const std::string& file, std::size_t line, const std::string& text,
                     Findings& findings);

// Lines that the game reads differently from how they look: story text that holds a
// keyword, and commands or prompts that an earlier kind of line captures.
void CheckLineLooks(const TextFile& text, const SceneWalk& walk, Findings& findings);

}  // namespace velune
