#include "tool/page_fit.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "story/texts.h"
#include "story/translation.h"

namespace velune {
namespace {

constexpr int kPageSize = 5;  // text lines to a page, as the game's pager counts them
// How many different pages one scene is followed from; a story whose pages reach a scene
// in more ways than this is checked on the first ones only.
constexpr std::size_t kMostPagesPerScene = 8;

// The story text box as the game holds it: the caption and how many lines its page has.
struct Page {
  std::string caption;
  int lines = 0;
  auto operator<=>(const Page&) const = default;
};

// The game's pager and stop rule on a text line or a page break; `last` is the line the
// reader stands still on. True when the line begins a new page.
bool Read(Page& page, LineKind kind, const std::string& text, bool last) {
  bool fresh = false;
  if (kind == LineKind::kPageBreak) {
    page.lines = kPageSize;
  } else {
    fresh = page.lines % kPageSize == 0;
    page.caption = fresh ? text : page.caption + std::string(texts::kLineBreak) + text;
    page.lines = page.lines % kPageSize + 1;
  }
  if (page.lines == kPageSize || last) page.caption += texts::kContinueMark;
  return fresh;
}

class PageWalk {
 public:
  PageWalk(const Story& story, const TextBox& box, Findings& findings)
      : story_(story), box_(box), findings_(findings) {}

  void Run() {
    Enter(story_.start.file.display, Page{});
    while (!pending_.empty()) {
      const auto [key, page] = std::move(pending_.front());
      pending_.pop_front();
      Walk(*story_.Find(key), page);
    }
  }

 private:
  void Enter(const std::string& key, const Page& page) {
    const Scene* scene = story_.Find(key);
    if (!scene || !scene->Readable()) return;
    std::set<Page>& pages = entered_[key];
    if (pages.size() < kMostPagesPerScene && pages.insert(page).second) {
      pending_.emplace_back(key, page);
    }
  }

  void Walk(const Scene& scene, Page page) {
    const SceneWalk& walk = scene.walk;
    bool fits = box_.Fits(page.caption);  // a page that came in too full was reported before
    std::size_t first_line = 0;           // where the page began in this scene; 0: before it
    for (std::size_t line = 1; line <= walk.kinds.size(); ++line) {
      const std::optional<LineKind> kind = walk.kinds[line - 1];
      if (kind == LineKind::kPrompt) Prompt(scene, line, page);
      if (kind != LineKind::kText && kind != LineKind::kPageBreak) continue;
      const bool last = walk.exit == SceneExit::kStandsStill && line == walk.exit_line;
      if (Read(page, *kind, scene.Line(line), last)) {
        first_line = line;
        fits = true;
      }
      if (fits && !box_.Fits(page.caption)) {
        fits = false;
        Overflow(scene, line, first_line);
      }
    }
    // A jump or an ending line leaves the page as it is; anything else opens on an empty box.
    for (const SceneLink& link : scene.links) {
      const bool goes_on = link.kind == LinkKind::kJump || link.kind == LinkKind::kEnding;
      Enter(link.target.file.display, goes_on ? page : Page{});
    }
  }

  void Overflow(const Scene& scene, std::size_t line, std::size_t first_line) {
    Report("page-overflow", scene, line,
           first_line == 0
               ? Tr("check",
                    "the page that goes on from the scene before does not fit the story text "
                    "box: its lines wrap to more rows than the box shows, and the game cuts off "
                    "its last lines and the ▼ mark; start a new page sooner with \"-p\" or "
                    "shorten the lines")
           : first_line == line
               ? Tr("check",
                    "this page does not fit the story text box: its lines wrap to more rows than "
                    "the box shows, and the game cuts off its last lines and the ▼ mark; start a "
                    "new page sooner with \"-p\" or shorten the lines")
               : Tr("check",
                    "the page begun on line %1 does not fit the story text box: its lines wrap "
                    "to more rows than the box shows, and the game cuts off its last lines and "
                    "the ▼ mark; start a new page sooner with \"-p\" or shorten the lines")
                     .Arg(first_line));
  }

  // The prompt goes under the page as it is, after a blank line.
  void Prompt(const Scene& scene, std::size_t line, Page& page) {
    page.caption += std::string(texts::kLineBreak) + std::string(texts::kLineBreak) +
                    std::string(texts::kPromptText);
    if (box_.Fits(page.caption)) return;
    Report("prompt-hidden", scene, line,
           Tr("check",
              "the gift prompt \"%1\" falls below the story text box, under the lines of its "
              "page: the player never sees that a gift is wanted; start a new page with \"-p\" "
              "before the prompt or write fewer lines on its page")
               .Arg(texts::kPromptText));
  }

  void Report(const char* id, const Scene& scene, std::size_t line, std::string message) {
    if (!reported_.emplace(scene.key, line).second) return;
    findings_.Warning(id, scene.key, line, std::move(message));
  }

  const Story& story_;
  const TextBox& box_;
  Findings& findings_;
  std::map<std::string, std::set<Page>> entered_;
  std::deque<std::pair<std::string, Page>> pending_;
  std::set<std::pair<std::string, std::size_t>> reported_;
};

}  // namespace

void CheckPages(const Story& story, const TextBox& box, Findings& findings) {
  PageWalk(story, box, findings).Run();
}

}  // namespace velune
