// The pages of story text as the game fills the text box, on a box of five rows of 16
// characters, each line of a caption starting a row of its own.
#include "tool/page_fit.h"

#include <gtest/gtest.h>

#include <ranges>

#include "story_folder.h"

namespace velune {
namespace {

struct SixteenByFive : TextBox {  // every character of these stories is three bytes
  bool Fits(std::string_view caption) const override {
    std::size_t rows = 0;
    for (const auto line : std::views::split(caption, std::string_view("\r\n")))
      rows += std::max<std::size_t>(1, (line.size() + 47) / 48);
    return rows <= 5;
  }
};

std::string Chars(int n) { return n > 0 ? "あ" + Chars(n - 1) : ""; }

// Scenes written over the clean story, and the findings, one a line.
struct PageCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> scenes;
  std::string expected;
};

const std::string kFour = "一\n二\n三\n四\n";
const std::string k17 = Chars(17) + "\n";
const PageCase kPages[] = {
    {"PagesJustInsideJustOverAndFirstOver",
     {{"00", kFour + Chars(13) + "\n" + kFour + Chars(14) + "\n一\n" + k17 + k17 + k17 +
                 "五\n>ive>10\n"}},
     "dat/00.dat:10: warning: the page begun on line 6 [page-overflow]\n"
     "dat/00.dat:14: warning: the page begun on line 11 [page-overflow]\n"},
    {"PromptsAfterThreeLinesAGiftAnswerAndFourLines",
     {{"10", "一\n二\n" + Chars(16) + "\n>花\n20\n20\n20\n"},
      {"20", ">指輪\n10\n30\n30\n"},
      {"30", kFour + ">手紙\n10\nend1\nend1\n"}},
     "dat/30.dat:5: warning: falls below the story text box [prompt-hidden]\n"},
    {"PageGoesOnAcrossAJump",
     {{"00", "一\n二\n三\n>ive>10\n"}, {"10", "四\n" + k17 + ">花\n20\n20\n20\n"}},
     "dat/10.dat:2: warning: the page that goes on from the scene before [page-overflow]\n"
     "dat/10.dat:3: warning: falls below the story text box [prompt-hidden]\n"},
};

TEST(PageFit, ReportsWhatTheBoxCannotShow) {
  for (const PageCase& c : kPages) {
    SCOPED_TRACE(c.name);
    testing::ToolStory story;
    story.WriteCleanStory();
    for (const auto& [name, text] : c.scenes) story.Write("dat/" + name + ".dat", text);
    Findings findings;
    CheckPages(story.Load(), SixteenByFive(), findings);
    std::ostringstream report;
    for (const Finding& f : findings.Sorted()) WriteFindingLine(report, f);
    testing::ExpectFindings(report.str(), c.expected);
  }
}

}  // namespace
}  // namespace velune
