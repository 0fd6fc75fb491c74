// The story text box that the checker measures: the window's Lbl as the window opens. Its
// rows are found with the measure itself, so that no particular font is needed.
#include "tool/window_text_box.h"

#include "window_fixture.h"

namespace velune::testing {
namespace {

std::string Page(const std::vector<int>& lines) {
  QStringList page;
  for (const int chars : lines) page << QString(chars, QChar(0x3042));  // あ
  return page.join(QStringLiteral("\r\n")).toStdString();
}

TEST_F(WindowTest, TheTextBoxIsLblAsTheWindowOpensAndFillsToItsLastRow) {
  ASSERT_TRUE(Start());
  const WindowTextBox box;
  EXPECT_EQ(box.Label().size(), Lbl(w())->size());
  EXPECT_EQ(box.Label().font(), Lbl(w())->font());
  std::vector<int> lines{1};
  while (box.Fits(Page(lines))) lines.push_back(1);
  lines.pop_back();  // as many rows as fit
  int across = 1;    // how many characters the first row takes
  while (lines[0] = across + 1, box.Fits(Page(lines))) ++across;
  lines.assign(lines.size(), across);
  EXPECT_TRUE(box.Fits(Page(lines)));
  ++lines.back();
  EXPECT_FALSE(box.Fits(Page(lines)));
  lines.pop_back();
  lines.back() = 2 * across;  // wrapped once at the box's width
  EXPECT_TRUE(box.Fits(Page(lines)));
}

}  // namespace
}  // namespace velune::testing
