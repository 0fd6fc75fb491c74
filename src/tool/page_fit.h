#pragma once

#include <string_view>

#include "tool/findings.h"
#include "tool/story_model.h"

namespace velune {

// The box that shows the story text, as the window lays it out.
class TextBox {
 public:
  virtual ~TextBox() = default;
  // True when the whole of `caption` shows: its lines (UTF-8, a CR LF between them, as the
  // game builds the caption), wrapped at the box's width, take no more rows than it has.
  virtual bool Fits(std::string_view caption) const = 0;
};

// Follows the story text page by page as the game fills the box, through every scene a
// play reaches (a page goes on across jumps and ending lines), and reports the pages that
// `box` cannot show whole and the gift prompts they push out of sight.
void CheckPages(const Story& story, const TextBox& box, Findings& findings);

}  // namespace velune
