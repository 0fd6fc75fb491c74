#include "tool/scene_walk.h"

#include <algorithm>

namespace velune {
namespace {

constexpr std::size_t kGiftBlockLinesAfterPrompt = 3;

}  // namespace

SceneWalk WalkScene(const std::vector<std::string>& lines, bool long_line_follows) {
  SceneWalk walk;
  walk.kinds.assign(lines.size(), std::nullopt);
  if (long_line_follows) walk.long_line = lines.size() + 1;
  // The reader sees a line too long as a line that is there, until it reads it.
  const std::size_t line_count = lines.size() + (long_line_follows ? 1 : 0);
  const auto leave = [&](SceneExit exit, std::size_t index, std::size_t lines_used) {
    walk.exit = exit;
    walk.exit_line = index + 1;
    const std::size_t next = index + lines_used;
    if (next < line_count) walk.first_unread = next + 1;
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const LineKind kind = ClassifyLine(line);
    walk.kinds[i] = kind;
    const bool last = i + 1 == line_count;
    switch (kind) {
      case LineKind::kIgnored:
        if (last) leave(SceneExit::kReadsPastEnd, i, 1);
        break;
      case LineKind::kPicture: {
        const auto name = NameOnCommandLine(line);
        if (!name) {
          leave(SceneExit::kNameTooShort, i, line_count - i);
          return walk;
        }
        walk.pictures.push_back(PictureLine{i + 1, std::string(*name)});
        if (last) leave(SceneExit::kReadsPastEnd, i, 1);
        break;
      }
      case LineKind::kEnding:
        leave(SceneExit::kEnding, i, 1);
        return walk;
      case LineKind::kRestart:
        leave(SceneExit::kRestart, i, 1);
        return walk;
      case LineKind::kJump: {
        const auto name = NameOnCommandLine(line);
        if (!name) {
          leave(SceneExit::kNameTooShort, i, line_count - i);
          return walk;
        }
        walk.jump = NamedScene{std::string(*name), i + 1};
        leave(SceneExit::kJump, i, 1);
        return walk;
      }
      case LineKind::kPrompt: {
        GiftBlockLines gift;
        gift.prompt_line = i + 1;
        gift.item = std::string(PromptItem(line));
        gift.lines_after = std::min(kGiftBlockLinesAfterPrompt, lines.size() - i - 1);
        if (gift.lines_after >= 1) gift.points_text = lines[i + 1];
        if (gift.lines_after >= 2) gift.right = NamedScene{lines[i + 2], i + 3};
        if (gift.lines_after >= 3) gift.otherwise = NamedScene{lines[i + 3], i + 4};
        walk.gift = std::move(gift);
        leave(SceneExit::kGift, i, 1 + kGiftBlockLinesAfterPrompt);
        return walk;
      }
      case LineKind::kPageBreak:
        if (last) leave(SceneExit::kStandsStill, i, 1);
        break;
      case LineKind::kText:
        if (!walk.first_text_line && !line.empty()) walk.first_text_line = i + 1;
        if (last) leave(SceneExit::kStandsStill, i, 1);
        break;
    }
  }
  if (long_line_follows) leave(SceneExit::kLineTooLong, lines.size(), 1);
  return walk;
}

}  // namespace velune
