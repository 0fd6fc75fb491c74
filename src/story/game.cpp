#include "story/game.h"

#include <exception>

#include "story/game_error.h"
#include "story/game_folder.h"
#include "story/game_names.h"
#include "story/platform_paths.h"
#include "story/text_decoding.h"
#include "story/texts.h"

namespace velune {

Game::Game(GamePorts ports)
    : files_(ports.files), pictures_(ports.pictures), music_(ports.mci), open_files_(ports.files) {
  controls_.title = texts::kTitle;
  controls_.img.border = Border::kSingle;
  controls_.lbl.caption = texts::kEmptyCaption;
  controls_.lbl.tooltip = texts::kStoryTip;
  controls_.lbl.border = Border::kSingle;
  controls_.love_lbl.caption = texts::kEmptyCaption;
  controls_.lst.tooltip = texts::kListTip;
  controls_.add_com.tooltip = texts::kGiveTip;
  tim_ive_.Attach(&ports.timers);
  tim_qst_.Attach(&ports.timers);
  bgm_check_.Attach(&ports.timers);
}

void Game::Handle(const std::function<void()>& handler) {
  if (ended_ || error_) return;
  try {
    handler();
  } catch (const GameError& e) {
    error_ = e.what();
  } catch (const std::exception& e) {
    error_ = Tr("game", "unexpected failure: %1").Arg(e.what()).Text();
  }
}

GameFile Game::FindFile(const std::string& folder, const std::string& name, const char* extension,
                        Message missing) {
  auto file = FindGameFile(files_, app_dir_, folder + kPathSeparator + name + extension);
  if (!file) throw GameError(missing.Arg(Quoted(name, kLongestQuote)));
  return *file;
}

void Game::Form_Load(const std::string& program_folder) {
  Handle([&] {
    app_dir_ = WithTrailingSeparator(program_folder);
    dat_dir_ = app_dir_ + kDatFolder + kPathSeparator;
    grf_dir_ = app_dir_ + kGrfFolder + kPathSeparator;
    const auto tune = FindGameFile(
        files_, app_dir_, std::string(kDatFolder) + kPathSeparator + kTuneName + kTuneExtension);
    music_.BgmOpen(tune ? tune->path : dat_dir_ + kTuneName + kTuneExtension);
    music_.BgmPlay();

    controls_.back_colour = kRed;
    controls_.img.back_colour = controls_.back_colour;
    controls_.img.border = Border::kSingle;
    for (Label* label : {&controls_.lbl, &controls_.love_lbl}) {
      label->transparent = true;
      label->border = Border::kNone;
      label->text_colour = kBlack;
    }
    controls_.lst.text_colour = kWhite;
    controls_.add_com.back_colour = controls_.back_colour;
    controls_.add_com.caption = texts::kGiveCaption;
  });
}

void Game::Form_Activate() {
  Handle([&] { NewGame(); });
}

void Game::NewGameAt(const std::string& scene, std::int16_t love) {
  if (ended_) return;
  error_.reset();
  Handle([&] {
    if (open_files_.IsOpen(scene_file_)) open_files_.Close(scene_file_);
    tim_ive_.SetEnabled(false);
    tim_qst_.SetEnabled(false);
    qst_glow_ = 0;
    NewGame(scene, love);
  });
}

void Game::NewGame(const std::string& scene, std::int16_t love) {
  const std::int16_t number = open_files_.FreeFile();
  controls_.lst.entries.clear();
  controls_.lst.selected = -1;
  open_files_.Open(number, FindFile(kDatFolder, kGiftListName, kDataExtension,
                                    Tr("game",
                                       "the gift list %1 does not name a file in the game "
                                       "folder")));
  while (!open_files_.AtEnd(number)) controls_.lst.entries.push_back(open_files_.ReadLine(number));
  open_files_.Close(number);
  controls_.lbl.caption.clear();
  controls_.love_lbl.caption.clear();
  page_lines_ = 0;
  love_ = love;
  if (love != 0) ShowLoveMeter();
  OpenScene(scene);
}

void Game::Form_Unload() {
  if (ended_) return;
  try {
    open_files_.Close(scene_file_);
  } catch (const GameError&) {
    // No scene file was open: nothing to close.
  }
  music_.BgmStop();
  music_.BgmClose();
  ended_ = true;
}

std::string Game::Img_Click() const {
  return std::string(texts::kLineBreak) + std::string(texts::kAboutSecondLine);
}

void Game::Tick(TimerId id) {
  switch (id) {
    case TimerId::kTimIve:
      TimIve_Timer();
      break;
    case TimerId::kTimQst:
      TimQst_Timer();
      break;
    case TimerId::kBgmCheck:
      Bgm_Check_Timer();
      break;
  }
}

void Game::Bgm_Check_Timer() {
  Handle([&] { music_.Bgm_Check_Timer(); });
}

bool Game::Lst_Select(int index) {
  if (index < 0 || index >= static_cast<int>(controls_.lst.entries.size())) return false;
  controls_.lst.selected = index;
  return true;
}

void Game::ShowPicture(const std::string& name) {
  Handle([&] {
    // Every failure here is silent: the present picture stays.
    if (!name.empty()) {
      const auto file = FindGameFile(
          files_, app_dir_, std::string(kGrfFolder) + kPathSeparator + name + kDataExtension);
      if (!file || !pictures_.Load(file->path)) return;
      picture_name_ = name;
    }
    pictures_.StretchToArea();
  });
}

}  // namespace velune
