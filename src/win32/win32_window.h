#pragma once

#include "win32/windows_api.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "story/controls.h"
#include "story/file_system.h"
#include "story/game_names.h"
#include "story/mci_port.h"
#include "win32/wic_pictures.h"
#include "win32/win32_grid.h"
#include "win32/win32_timers.h"

namespace velune {

class Game;

// The game window Fom on Windows: the red window with the scene picture, the story text,
// the gift list, the give button and the love meter, as native controls. It decides
// nothing: every notification goes to the game, and afterwards the controls show the
// game's state. When the game has met an error, the window reports it in a message box
// and ends.
class Win32GameWindow {
 public:
  Win32GameWindow(HINSTANCE instance, FileSystem& files, MciPort& mci);
  ~Win32GameWindow();
  Win32GameWindow(const Win32GameWindow&) = delete;
  Win32GameWindow& operator=(const Win32GameWindow&) = delete;

  // Start-up: Form_Load on the program's folder, the window shown (its first layout
  // pass), then the first new game, at `scene` with `love` points. False when the game
  // ended with an error meanwhile.
  bool Start(const std::string& program_folder, const std::string& scene = kFirstScene,
             std::int16_t love = 0);
  // The message loop, until the window has closed. Returns the exit status: 0 after a
  // close, 1 after an error.
  int Run();
  int ExitStatus() const { return exit_status_; }

  // For the tools, which measure on the window without showing it: a layout pass, and
  // whether Lbl as laid out shows the whole of `caption` (a row shows while its letters
  // stand inside, even when what hangs below them is cut).
  void LayOutUnseen() { Form_Resize(); }
  // False where no window could be made (Wine without a display).
  bool Made() const { return IsWindow(lbl_) != FALSE; }
  bool ShowsWhole(const std::string& caption) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                    DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);
  HWND Child(const wchar_t* type, DWORD style, int id);
  void AddTip(HWND control);

  // The layout pass: the 4:3 shape, the controls on the grid, the fonts, the picture.
  void Form_Resize();
  std::int32_t OuterHeightTwips() const;
  void TimerTick(TimerId id);
  void OnLblPressed(int button);
  void OnCommand(int id, int code);
  void DrawItem(const DRAWITEMSTRUCT& item);
  LRESULT ColourStatic(HDC dc, HWND control);

  void AfterEvent();
  void Sync();
  void SyncLabel(HWND control, const Label& label, const Label& shown);
  void SyncList(const ListBox& list);
  void SyncGiveButton(const Button& button);
  void SetText(HWND control, const std::string& text);
  void SetTip(HWND control, const std::string& text);
  void SetBorder(HWND control, Border border);
  HBRUSH BrushOf(Rgb colour);
  void Fail();
  void Finish(int status);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HWND lbl_ = nullptr, lst_ = nullptr, add_com_ = nullptr, img_ = nullptr, love_lbl_ = nullptr;
  HWND tips_ = nullptr;
  HwndGrid::Controls grid_controls_{};
  ControlFonts fonts_;
  std::unique_ptr<WicPictures> pictures_;
  std::unique_ptr<Win32Timers> timers_;
  std::unique_ptr<Game> game_;

  std::map<HWND, std::wstring> texts_;  // what each control shows, tips apart
  std::map<HWND, std::wstring> tips_text_;
  std::map<COLORREF, HBRUSH> brushes_;
  WindowControls shown_;  // what the controls showed after the last event
  bool syncing_ = false;
  bool laying_out_ = false;
  bool ended_ = false;
  int exit_status_ = 0;
};

}  // namespace velune
