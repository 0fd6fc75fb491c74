// The gift prompt: five seconds to give her something, and the love meter.
#include "story/game.h"
#include "story/game_error.h"
#include "story/line_kind.h"
#include "story/love_points.h"
#include "story/texts.h"

namespace velune {
namespace {

constexpr int kGlowStep = 5;
constexpr int kGlowLimit = 250;  // the 50th tick, five seconds after the prompt opened
constexpr int kLinesToWrongScene = 3;

}  // namespace

void Game::ReadGiftBlockLine() {
  try {
    cur_line_ = open_files_.ReadLine(scene_file_);
  } catch (const ReadPastEnd& e) {
    throw GameError(Tr("game",
                       "%1; the gift block on line %2 needs three lines after it (points, scene "
                       "for the right gift, scene otherwise)")
                        .Arg(e.what())
                        .Arg(prompt_line_));
  }
}

void Game::TimQst_Timer() {
  Handle([&] {
    qst_glow_ = static_cast<std::int16_t>(qst_glow_ + kGlowStep);
    if (qst_glow_ < kGlowLimit) {
      controls_.lst.back_colour = Rgb{static_cast<std::uint8_t>(qst_glow_), 0, 0};
      return;
    }
    // Time is up: on to the scene for a wrong gift.
    tim_qst_.SetEnabled(false);
    for (int i = 0; i < kLinesToWrongScene; ++i) ReadGiftBlockLine();
    const std::string origin = Here();
    open_files_.Close(scene_file_);
    controls_.lbl.caption.clear();
    OpenSceneNamedBy(cur_line_, origin);
  });
}

void Game::AddCom_Click() {
  Handle([&] {
    if (!controls_.add_com.visible) return;  // a hidden button cannot be pressed
    const int selected = controls_.lst.selected;
    if (selected < 0 || selected >= static_cast<int>(controls_.lst.entries.size())) return;
    tim_qst_.SetEnabled(false);
    controls_.lbl.caption.clear();
    if (controls_.lst.entries[static_cast<std::size_t>(selected)] == PromptItem(cur_line_)) {
      ReadGiftBlockLine();
      love_ = AddLovePoints(love_, LeadingNumber(cur_line_));
      ShowLoveMeter();
      ReadGiftBlockLine();
    } else {
      for (int i = 0; i < kLinesToWrongScene; ++i) ReadGiftBlockLine();
    }
    CloseSceneAndOpen(cur_line_);
    // The given item leaves the list, right or wrong; nothing is selected after it.
    auto& entries = controls_.lst.entries;
    entries.erase(entries.begin() + controls_.lst.selected);
    controls_.lst.selected = -1;
  });
}

void Game::ShowLoveMeter() {
  controls_.love_lbl.tooltip = std::to_string(love_);
  std::string caption;
  for (int k = 0; k <= love_; ++k) caption += texts::kLoveNote;  // one note at 0 points
  caption += texts::kLineBreak;
  caption += texts::kLoveWord;
  controls_.love_lbl.caption = std::move(caption);
}

}  // namespace velune
