#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velune {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};

enum class Border { kNone, kSingle };

struct PictureBox {  // Img
  Rgb back_colour;
  Border border = Border::kSingle;
};

struct Label {  // Lbl, LoveLbl
  std::string caption;
  std::string tooltip;
  bool transparent = false;
  Border border = Border::kNone;
  Rgb text_colour;
};

struct ListBox {  // Lst
  std::vector<std::string> entries;
  int selected = -1;
  Rgb text_colour;
  Rgb back_colour{255, 255, 255};
  std::string tooltip;
};

struct Button {  // AddCom
  std::string caption;
  bool visible = false;
  Rgb back_colour;
  std::string tooltip;
};

// What the window shows: its visible controls as plain data. The host draws these.
struct WindowControls {
  std::string title;
  Rgb back_colour;
  PictureBox img;
  Label lbl;
  Label love_lbl;
  ListBox lst;
  Button add_com;
};

}  // namespace velune
