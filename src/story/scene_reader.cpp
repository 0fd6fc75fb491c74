// The scene reader: one scene line per tick of TimIve, story text in pages of five.
#include "story/game.h"
#include "story/game_error.h"
#include "story/game_names.h"
#include "story/line_kind.h"
#include "story/love_points.h"
#include "story/text_decoding.h"
#include "story/texts.h"

namespace velune {
namespace {

constexpr int kReadingInterval = 100;
constexpr int kSkippingInterval = 1;
constexpr int kWaitingInterval = 0;  // an enabled timer that never ticks: a click goes on
constexpr int kPageSize = 5;
constexpr int kRightButton = 2;

}  // namespace

void Game::OpenScene(const std::string& name) {
  controls_.add_com.visible = false;
  controls_.lst.back_colour = kBlack;
  scene_name_ = name;
  scene_file_ = open_files_.FreeFile();
  open_files_.Open(scene_file_, FindFile(kDatFolder, name, kDataExtension,
                                         Tr("game",
                                            "the scene name %1 does not name a file in "
                                            "the game folder")));
  tim_ive_.SetInterval(kReadingInterval);
  tim_ive_.SetEnabled(true);
}

void Game::OpenSceneNamedBy(const std::string& name, const std::string& origin) {
  try {
    OpenScene(name);
  } catch (const GameError& e) {
    throw GameError(Tr("game", "%1 (named on %2)").Arg(e.what()).Arg(origin));
  }
}

std::string Game::Here() const {
  return Tr("game", "%1, line %2")
      .Arg(open_files_.Display(scene_file_))
      .Arg(open_files_.LinesRead(scene_file_));
}

void Game::TimIve_Timer() {
  Handle([&] { ReadSceneLine(); });
}

void Game::Lbl_MouseDown(int button) {
  Handle([&] {
    if (!tim_ive_.Enabled()) return;
    tim_ive_.SetInterval(button == kRightButton ? kSkippingInterval : kReadingInterval);
    ReadSceneLine();
  });
}

std::string Game::NameOnLine(Message too_short) {
  const auto name = NameOnCommandLine(cur_line_);
  if (!name) throw GameError(too_short.Arg(Here()).Arg(Quoted(cur_line_, kLongestQuote)));
  return std::string(*name);
}

void Game::ReadSceneLine() {
  try {
    cur_line_ = open_files_.ReadLine(scene_file_);
  } catch (const ReadPastEnd& e) {
    throw GameError(
        Tr("game", "%1; a scene must end with a jump, an ending, a restart or a gift block")
            .Arg(e.what()));
  }
  switch (ClassifyLine(cur_line_)) {
    case LineKind::kIgnored:
      return;
    case LineKind::kPicture:
      ShowPicture(NameOnLine(Tr("game",
                                "%1: the picture line %2 is too short; it needs five "
                                "characters before the name")));
      return;
    case LineKind::kEnding: {
      CloseSceneAndOpen("end" + std::to_string(EndingForLove(love_)));
      return;
    }
    case LineKind::kRestart:
      open_files_.Close(scene_file_);
      NewGame();
      return;
    case LineKind::kJump:
      CloseSceneAndOpen(NameOnLine(Tr("game",
                                      "%1: the jump line %2 is too short; it needs five "
                                      "characters before the name")));
      return;
    case LineKind::kPrompt:
      StartPrompt();
      return;
    case LineKind::kPageBreak:
      page_lines_ = kPageSize;
      StopRule();
      return;
    case LineKind::kText:
      Pager();
      StopRule();
      return;
  }
}

void Game::CloseSceneAndOpen(const std::string& name) {
  const std::string origin = Here();
  open_files_.Close(scene_file_);
  OpenSceneNamedBy(name, origin);
}

void Game::StartPrompt() {
  prompt_line_ = open_files_.LinesRead(scene_file_);
  page_lines_ = 0;
  controls_.lbl.caption += std::string(texts::kLineBreak) + std::string(texts::kLineBreak) +
                           std::string(texts::kPromptText);
  controls_.add_com.visible = true;
  qst_glow_ = 1;
  tim_qst_.SetEnabled(true);
  tim_ive_.SetEnabled(false);
}

void Game::Pager() {
  const int n = page_lines_ % kPageSize;
  page_lines_ = static_cast<std::int16_t>(n + 1);
  if (n == 0) {
    controls_.lbl.caption = cur_line_;  // a new page
  } else {
    controls_.lbl.caption += std::string(texts::kLineBreak) + cur_line_;
  }
}

void Game::StopRule() {
  if (page_lines_ == kPageSize && tim_ive_.Interval() != kSkippingInterval) {
    tim_ive_.SetInterval(kWaitingInterval);  // a full page waits for a click
    ShowContinueMark();
  } else if (open_files_.AtEnd(scene_file_)) {
    tim_ive_.SetEnabled(false);
    ShowContinueMark();
  }
  // A full page at the end of the file leaves the reader idle, not waiting.
  if (open_files_.AtEnd(scene_file_)) tim_ive_.SetEnabled(false);
}

void Game::ShowContinueMark() { controls_.lbl.caption += texts::kContinueMark; }

}  // namespace velune
