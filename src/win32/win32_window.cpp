#include "win32/win32_window.h"

#include <commctrl.h>

#include "game/layout_rules.h"
#include "game/list_changes.h"
#include "story/game.h"
#include "story/texts.h"
#include "story/wide_text.h"

namespace velune {
namespace {

constexpr wchar_t kClassName[] = L"VeluneGameWindow";
constexpr int kDefaultFontSize = 9;  // until the first layout pass sets the sizes

enum ControlId { kLblId = 1, kLstId, kAddComId, kImgId, kLoveLblId };

COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

// The game's UTF-8 text as a control shows it: a CR LF, or a lone CR or LF, starts a new
// line.
std::wstring Shown(std::string_view text) {
  const std::wstring wide = WideFromUtf8(text);
  std::wstring shown;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\r' || wide[i] == L'\n') {
      shown += L"\r\n";
      if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
    } else {
      shown += wide[i];
    }
  }
  return shown;
}

// The give button pressed: its colour a little darker.
Rgb Darker(Rgb c) {
  auto darker = [](std::uint8_t v) { return static_cast<std::uint8_t>(v * 10 / 13); };
  return {darker(c.r), darker(c.g), darker(c.b)};
}

}  // namespace

Win32GameWindow::Win32GameWindow(HINSTANCE instance, FileSystem& files, MciPort& mci)
    : instance_(instance) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = WindowProc;
  type.hInstance = instance;
  type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  type.lpszClassName = kClassName;
  RegisterClassExW(&type);

  // The client area the window opens with, at the screen's dots per inch.
  const UINT dpi = GetDpiForSystem();
  RECT frame{0, 0, MulDiv(layout::TwipsToPixels(layout::kClientWidthTwips), dpi, 96),
             MulDiv(layout::TwipsToPixels(layout::kClientHeightTwips), dpi, 96)};
  AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
  CreateWindowExW(0, kClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                  nullptr, instance, this);  // sets window_
  fonts_.SetDpi(GetDpiForWindow(window_));

  // Created in the tab order: Lbl, Lst, AddCom, Img; then the love meter.
  lbl_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, kLblId);
  lst_ = Child(L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, kLstId);
  add_com_ = Child(L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, kAddComId);
  img_ = Child(L"STATIC", SS_OWNERDRAW | SS_NOTIFY, kImgId);
  love_lbl_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, kLoveLblId);
  ShowWindow(add_com_, SW_HIDE);
  SetWindowSubclass(lbl_, LabelProc, 0, reinterpret_cast<DWORD_PTR>(this));
  grid_controls_ = {img_, lbl_, lst_, add_com_, love_lbl_};  // as layout::Control counts them

  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
  for (HWND control : grid_controls_) AddTip(control);

  pictures_ = std::make_unique<WicPictures>(img_);
  timers_ = std::make_unique<Win32Timers>(window_);
  game_ = std::make_unique<Game>(GamePorts{files, *pictures_, mci, *timers_});
  Sync();
}

Win32GameWindow::~Win32GameWindow() {
  if (!ended_) game_->Form_Unload();  // the tune stops with the window
  if (IsWindow(window_)) DestroyWindow(window_);
  for (const auto& [colour, brush] : brushes_) DeleteObject(brush);
}

HWND Win32GameWindow::Child(const wchar_t* type, DWORD style, int id) {
  HWND control =
      CreateWindowExW(0, type, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.OfSize(kDefaultFontSize)),
               FALSE);
  return control;
}

void Win32GameWindow::AddTip(HWND control) {
  TOOLINFOW tip{};
  tip.cbSize = sizeof(tip);
  tip.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tip.hwnd = window_;
  tip.uId = reinterpret_cast<UINT_PTR>(control);
  tip.lpszText = tips_text_[control].data();
  SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tip));
}

bool Win32GameWindow::Start(const std::string& program_folder, const std::string& scene,
                            std::int16_t love) {
  game_->Form_Load(program_folder);
  AfterEvent();
  if (ended_) return false;
  ShowWindow(window_, SW_SHOWNORMAL);
  Form_Resize();  // the first layout pass comes with the first showing
  if (ended_) return false;
  if (scene == kFirstScene && love == 0) {
    game_->Form_Activate();
  } else {
    game_->NewGameAt(scene, love);
  }
  AfterEvent();
  if (ended_) return false;
  SetFocus(lst_);
  return true;
}

int Win32GameWindow::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window_) && IsDialogMessageW(window_, &message)) continue;  // Tab
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return exit_status_;
}

LRESULT CALLBACK Win32GameWindow::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32GameWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<Win32GameWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self != nullptr ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

// Lbl tells which button was pressed on it; the second press of a double click is taken
// and let go, as one press.
LRESULT CALLBACK Win32GameWindow::LabelProc(HWND label, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                            DWORD_PTR self) {
  auto* window = reinterpret_cast<Win32GameWindow*>(self);
  switch (message) {
    case WM_LBUTTONDOWN:
      window->OnLblPressed(1);
      return 0;
    case WM_RBUTTONDOWN:
      window->OnLblPressed(2);
      return 0;
    case WM_MBUTTONDOWN:
      window->OnLblPressed(4);
      return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_CONTEXTMENU:  // a right click skips ahead, nothing else
      return 0;
    default:
      return DefSubclassProc(label, message, w, l);
  }
}

LRESULT Win32GameWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_SIZE:
      Form_Resize();
      return 0;
    case WM_DPICHANGED: {
      fonts_.SetDpi(HIWORD(w));
      const RECT* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_TIMER:
      if (const auto id = Win32Timers::OfEvent(w)) TimerTick(*id);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(w), HIWORD(w));
      return 0;
    case WM_DRAWITEM:
      if (!game_) break;  // the controls are being made
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (!game_) break;
      return ColourStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_CTLCOLORLISTBOX: {
      if (!game_) break;
      const ListBox& list = game_->Controls().lst;
      SetTextColor(reinterpret_cast<HDC>(w), Ref(list.text_colour));
      SetBkColor(reinterpret_cast<HDC>(w), Ref(list.back_colour));
      return reinterpret_cast<LRESULT>(BrushOf(list.back_colour));
    }
    case WM_ERASEBKGND: {
      if (!game_) break;
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(w), &client, BrushOf(game_->Controls().back_colour));
      return 1;
    }
    case WM_CLOSE:
      if (!ended_) {
        ended_ = true;
        timers_->StopAll();
        game_->Form_Unload();  // nothing is saved
        Finish(0);
      }
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(exit_status_);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

std::int32_t Win32GameWindow::OuterHeightTwips() const {
  RECT outer;
  GetWindowRect(window_, &outer);
  const int logical =
      MulDiv(outer.bottom - outer.top, 96, static_cast<int>(GetDpiForWindow(window_)));
  return logical * layout::kTwipsPerPixel;
}

void Win32GameWindow::Form_Resize() {
  if (!game_ || ended_) return;
  // The shape: the outer width follows the outer height. A maximized or minimized window
  // keeps its size; the width asked for comes back as a size change, whose pass inside
  // this one asks for nothing.
  if (!IsZoomed(window_) && !IsIconic(window_) && !laying_out_) {
    if (const auto width = layout::OuterWidthTwips(OuterHeightTwips())) {
      RECT outer;
      GetWindowRect(window_, &outer);
      const int pixels =
          MulDiv(layout::TwipsToPixels(*width), static_cast<int>(GetDpiForWindow(window_)), 96);
      if (pixels != outer.right - outer.left) {
        laying_out_ = true;
        SetWindowPos(window_, nullptr, 0, 0, pixels, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        laying_out_ = false;
      }
    }
  }
  const std::int32_t height = OuterHeightTwips();
  if (height < layout::kLeastLaidOutHeight) return;
  RECT client;
  GetClientRect(window_, &client);
  if (IsRectEmpty(&client)) return;  // no grid over nothing
  HwndGrid grid(window_, grid_controls_, fonts_);
  layout::LayOutControls(grid, layout::BaseFontSize(height));
  InvalidateRect(window_, nullptr, TRUE);
  game_->ShowPicture("");  // the picture at the area's new size
  AfterEvent();
}

bool Win32GameWindow::ShowsWhole(const std::string& caption) const {
  const std::wstring text = Shown(caption);
  RECT box;
  GetClientRect(lbl_, &box);
  HDC dc = GetDC(lbl_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(lbl_, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT rows{0, 0, box.right, 0};  // as the static control draws its text
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rows,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(lbl_, dc);
  return rows.bottom - metrics.tmDescent <= box.bottom;
}

void Win32GameWindow::TimerTick(TimerId id) {
  if (ended_) return;
  game_->Tick(id);
  AfterEvent();
}

void Win32GameWindow::OnLblPressed(int button) {
  if (ended_) return;
  game_->Lbl_MouseDown(button);
  AfterEvent();
}

void Win32GameWindow::OnCommand(int id, int code) {
  if (ended_) return;
  if (id == kLstId && code == LBN_SELCHANGE && !syncing_) {
    const auto row = static_cast<int>(SendMessageW(lst_, LB_GETCURSEL, 0, 0));
    if (row >= 0) game_->Lst_Select(row);
    AfterEvent();  // a selection that the game did not take is put back
  } else if (id == kAddComId && code == BN_CLICKED) {
    game_->AddCom_Click();
    AfterEvent();
  } else if (id == kImgId && code == STN_CLICKED) {
    // The game goes on behind the message: its timers keep ticking while it is open.
    MessageBoxW(window_, Shown(game_->Img_Click()).c_str(), Shown(texts::kTitle).c_str(), MB_OK);
  }
}

void Win32GameWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  const WindowControls& c = game_->Controls();
  RECT area = item.rcItem;
  if (item.hwndItem == img_) {
    FillRect(item.hDC, &area, BrushOf(c.img.back_colour));
    pictures_->Paint(item.hDC);
    return;
  }
  // The give button: flat in its back colour, with a thin dark border.
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &area,
           BrushOf(pressed ? Darker(c.add_com.back_colour) : c.add_com.back_colour));
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  FrameRect(item.hDC, &area, black);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&area, -1, -1);
    FrameRect(item.hDC, &area, black);
  }
  HGDIOBJ old =
      SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(add_com_, WM_GETFONT, 0, 0)));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(0, 0, 0));
  const std::wstring& caption = texts_[add_com_];
  DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, old);
}

LRESULT Win32GameWindow::ColourStatic(HDC dc, HWND control) {
  const WindowControls& c = game_->Controls();
  const Label& label = control == lbl_ ? c.lbl : c.love_lbl;
  SetTextColor(dc, Ref(label.text_colour));
  if (label.transparent) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(BrushOf(c.back_colour));  // the window shows through
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void Win32GameWindow::AfterEvent() {
  if (ended_) return;
  if (game_->Error()) {
    Fail();
    return;
  }
  Sync();
}

void Win32GameWindow::Sync() {
  syncing_ = true;
  const WindowControls& c = game_->Controls();
  SetText(window_, c.title);
  if (c.back_colour != shown_.back_colour) InvalidateRect(window_, nullptr, TRUE);
  SetBorder(img_, c.img.border);
  if (c.img.back_colour != shown_.img.back_colour) InvalidateRect(img_, nullptr, FALSE);
  SyncLabel(lbl_, c.lbl, shown_.lbl);
  SyncLabel(love_lbl_, c.love_lbl, shown_.love_lbl);
  SyncList(c.lst);
  SyncGiveButton(c.add_com);
  shown_ = c;
  syncing_ = false;
}

void Win32GameWindow::SyncLabel(HWND control, const Label& label, const Label& shown) {
  SetText(control, label.caption);
  SetTip(control, label.tooltip);
  SetBorder(control, label.border);
  if (label.text_colour != shown.text_colour || label.transparent != shown.transparent) {
    InvalidateRect(control, nullptr, TRUE);
  }
}

void Win32GameWindow::SyncList(const ListBox& list) {
  if (list.entries != shown_.lst.entries) {
    if (const int removed = RemovedEntry(shown_.lst.entries, list.entries); removed >= 0) {
      SendMessageW(lst_, LB_DELETESTRING, static_cast<WPARAM>(removed), 0);
    } else {
      SendMessageW(lst_, LB_RESETCONTENT, 0, 0);
      for (const std::string& entry : list.entries) {
        SendMessageW(lst_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(entry).c_str()));
      }
    }
  }
  if (static_cast<int>(SendMessageW(lst_, LB_GETCURSEL, 0, 0)) != list.selected) {
    SendMessageW(lst_, LB_SETCURSEL, static_cast<WPARAM>(list.selected), 0);
  }
  if (list.text_colour != shown_.lst.text_colour || list.back_colour != shown_.lst.back_colour) {
    InvalidateRect(lst_, nullptr, TRUE);
  }
  SetTip(lst_, list.tooltip);
}

void Win32GameWindow::SyncGiveButton(const Button& button) {
  SetText(add_com_, button.caption);
  SetTip(add_com_, button.tooltip);
  if (button.back_colour != shown_.add_com.back_colour ||
      button.caption != shown_.add_com.caption) {
    InvalidateRect(add_com_, nullptr, FALSE);
  }
  if ((IsWindowVisible(add_com_) != FALSE) != button.visible) {
    ShowWindow(add_com_, button.visible ? SW_SHOWNA : SW_HIDE);
  }
}

void Win32GameWindow::SetText(HWND control, const std::string& text) {
  std::wstring shown = Shown(text);
  std::wstring& now = texts_[control];
  if (now == shown) return;
  now = std::move(shown);
  SetWindowTextW(control, now.c_str());
}

void Win32GameWindow::SetTip(HWND control, const std::string& text) {
  std::wstring tip = WideFromUtf8(text);
  std::wstring& now = tips_text_[control];
  if (now == tip) return;
  now = std::move(tip);
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = now.data();
  SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void Win32GameWindow::SetBorder(HWND control, Border border) {
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const LONG_PTR wanted = border == Border::kSingle ? style | WS_BORDER : style & ~WS_BORDER;
  if (style == wanted) return;
  SetWindowLongPtrW(control, GWL_STYLE, wanted);
  SetWindowPos(control, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH Win32GameWindow::BrushOf(Rgb colour) {
  HBRUSH& brush = brushes_[Ref(colour)];
  if (brush == nullptr) brush = CreateSolidBrush(Ref(colour));
  return brush;
}

void Win32GameWindow::Fail() {
  const std::wstring message = Shown(*game_->Error());
  ended_ = true;
  timers_->StopAll();
  MessageBoxW(window_, message.c_str(), Shown(texts::kTitle).c_str(), MB_OK | MB_ICONERROR);
  game_->Form_Unload();  // the tune stops
  Finish(1);
  DestroyWindow(window_);
}

void Win32GameWindow::Finish(int status) { exit_status_ = status; }

}  // namespace velune
