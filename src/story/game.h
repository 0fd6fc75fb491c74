#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "story/controls.h"
#include "story/file_system.h"
#include "story/game_names.h"
#include "story/mci_port.h"
#include "story/music.h"
#include "story/open_files.h"
#include "story/picture_port.h"
#include "story/timers.h"
#include "story/translation.h"

namespace velune {

// What the game needs of the world around it.
struct GamePorts {
  FileSystem& files;
  PicturePort& pictures;
  MciPort& mci;
  TimerPort& timers;
};

// The window and its controls keep their short names from the original game, so that
// its story folders and its description read the same as this code:
//   Fom      the game window
//   Img      the scene picture at the top left; a click on it shows the about message
//   DF       the hidden picture box that holds the current picture decoded
//   Lbl      the story text, page by page; a mouse button on it reads on
//   LoveLbl  the love meter at the right
//   Lst      the gift list; AddCom the give button, shown while she waits for a present
//   TimIve   reads one scene line per tick (100 ms; 1 ms while skipping ahead)
//   TimQst   counts down a gift prompt's five seconds
//   Bgm_Check  restarts the tune when it has stopped (every second)
//
// The game window Fom without its looks: its state fields, the state of its controls
// as plain data, and its event handlers. A host (the Qt window, the scripted player)
// forwards every event here and then shows the controls' state. A handler that meets an
// error no routine traps stops the game: Error() then names what failed, the host
// reports it and closes, and no handler but Form_Unload does anything any more.
class Game {
 public:
  explicit Game(GamePorts ports);

  // Start-up: fixes the folders from the program's own folder and starts the tune.
  void Form_Load(const std::string& program_folder);
  // A new game: refills the gift list, clears the text and the meter, opens scene "00".
  void Form_Activate();
  // The author's preview: a new game as Form_Activate starts one, but at `scene` with
  // `love` points, the meter showing them (unless there are none). The scene and prompt
  // under way are dropped, and an error met before is forgotten: the game starts again
  // on the story as it is now. Does nothing after Form_Unload.
  void NewGameAt(const std::string& scene, std::int16_t love);
  // Shutdown: closes the scene file and the tune. Runs even after an error.
  void Form_Unload();
  // The about message, for the host's message box.
  std::string Img_Click() const;

  void TimIve_Timer();
  void Lbl_MouseDown(int button);  // 1 left, 2 right, 4 middle
  void TimQst_Timer();
  void AddCom_Click();
  void Bgm_Check_Timer();
  // A tick of the timer `id`, to its handler above.
  void Tick(TimerId id);
  // The player selects entry `index` of the gift list; false when there is no such entry.
  bool Lst_Select(int index);
  // Loads picture `name` (unless empty) and stretches the current picture over Img.
  // The layout pass calls it with an empty name at every size.
  void ShowPicture(const std::string& name);

  const std::optional<std::string>& Error() const { return error_; }
  bool Ended() const { return ended_; }

  const WindowControls& Controls() const { return controls_; }
  const Timer& TimIve() const { return tim_ive_; }
  const Timer& TimQst() const { return tim_qst_; }
  const Timer& BgmCheck() const { return bgm_check_; }
  std::int16_t PageLines() const { return page_lines_; }
  std::int16_t Love() const { return love_; }
  std::int16_t QstGlow() const { return qst_glow_; }
  const std::string& AppDir() const { return app_dir_; }
  // The scene opened last, as it was named; nothing before the first.
  const std::optional<std::string>& SceneName() const { return scene_name_; }
  // The picture that loaded last; nothing before the first.
  const std::optional<std::string>& PictureName() const { return picture_name_; }

 private:
  // Runs a handler: an untrapped error ends the game with its message.
  void Handle(const std::function<void()>& handler);
  // A new game at `scene` with `love` points; a restart line starts one at "00" with none.
  void NewGame(const std::string& scene = kFirstScene, std::int16_t love = 0);
  // `missing` says what the name is for, with %1 for the name.
  GameFile FindFile(const std::string& folder, const std::string& name, const char* extension,
                    Message missing);

  // The scene reader.
  void OpenScene(const std::string& name);
  void OpenSceneNamedBy(const std::string& name, const std::string& origin);
  void ReadSceneLine();
  void StartPrompt();
  void Pager();
  void StopRule();
  void ShowContinueMark();
  // `too_short` has %1 for the place and %2 for the line.
  std::string NameOnLine(Message too_short);
  std::string Here() const;

  // The gift prompt.
  void ReadGiftBlockLine();
  void CloseSceneAndOpen(const std::string& name);
  void ShowLoveMeter();

  FileSystem& files_;
  PicturePort& pictures_;
  Music music_;
  OpenFiles open_files_;

  WindowControls controls_;
  Timer tim_ive_{TimerId::kTimIve, false, 100};
  Timer tim_qst_{TimerId::kTimQst, false, 100};
  Timer bgm_check_{TimerId::kBgmCheck, true, 1000};

  // State fields of the window.
  std::string app_dir_;
  std::string dat_dir_;
  std::string grf_dir_;
  std::int16_t scene_file_ = 0;
  std::string cur_line_;
  std::int16_t qst_glow_ = 0;
  std::int16_t page_lines_ = 0;
  std::int16_t love_ = 0;

  std::optional<std::string> scene_name_;
  std::optional<std::string> picture_name_;
  std::size_t prompt_line_ = 0;  // line number of the open prompt, for error reports
  std::optional<std::string> error_;
  bool ended_ = false;
};

}  // namespace velune
