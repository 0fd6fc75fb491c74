#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tool/ending_search.h"
#include "tool/story_model.h"

namespace velune {

// What an editor asks about a line of a scene, answered from the story as the checker
// reads it. Lines count from 1; `key` is the scene's file relative to the game folder.

// The scene of `key`, or of a key that differs from it in letter case only.
const Scene* FindScene(const Story& story, const std::string& key);

// The files that the line opens, as paths: the scene of a jump line or of a gift block's
// scene line, the three endings of an ending line, the picture of a picture line. Only
// files that exist.
std::vector<std::string> FilesOpenedBy(const Story& story, const std::string& key,
                                       std::size_t line);

// The names that can be written where the cursor is, `before_cursor` being the line's
// text up to it: scene names after ">ive>" and on the scene lines of a gift block, items
// of the gift list after a prompt line's ">", picture names after ">img>". Only those that
// start with what is typed, which begins at the byte `typed_from` of the line.
struct NamesToWrite {
  std::size_t typed_from = 0;
  std::vector<std::string> names;
};
NamesToWrite NamesToComplete(const Story& story, const std::string& key, std::size_t line,
                             std::string_view before_cursor);

// What a prompt line or an ending line does, in Markdown; empty for other lines.
std::string LineExplanation(const Story& story, const EndingSearch& search, const std::string& key,
                            std::size_t line);

// A page of the scene (up to and with its page break) or its gift block.
struct ScenePart {
  std::string name;  // "Page 1", or the prompt line
  std::size_t first_line = 0;
  std::size_t last_line = 0;
  bool gift_block = false;
};
std::vector<ScenePart> SceneParts(const Scene& scene);

}  // namespace velune
