#include "tool/snapshot.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace velune {
namespace {

std::string HexColour(const Rgb& c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return text;
}

nlohmann::ordered_json OrNull(const std::optional<std::string>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

const char* MusicMode(TuneDevice::Mode mode) {
  switch (mode) {
    case TuneDevice::Mode::kPlaying:
      return "playing";
    case TuneDevice::Mode::kStopped:
      return "stopped";
    case TuneDevice::Mode::kClosed:
      break;
  }
  return "closed";
}

}  // namespace

std::string ReaderMode(const Timer& tim_ive) {
  if (!tim_ive.Enabled()) return "idle";
  switch (tim_ive.Interval()) {
    case 0:
      return "waiting";
    case 1:
      return "skipping";
    default:
      return "reading";
  }
}

std::string SnapshotLine(std::int64_t t, const Game& game, TuneDevice::Mode music) {
  const WindowControls& c = game.Controls();
  nlohmann::ordered_json j;
  j["t"] = t;
  j["scene"] = OrNull(game.SceneName());
  j["text"] = c.lbl.caption;
  j["page"] = game.PageLines();
  j["love"] = game.Love();
  j["meter"] = c.love_lbl.caption;
  j["meterTip"] = c.love_lbl.tooltip;
  j["items"] = c.lst.entries;
  j["selected"] = c.lst.selected;
  j["give"] = c.add_com.visible;
  j["listBg"] = HexColour(c.lst.back_colour);
  j["reader"] = ReaderMode(game.TimIve());
  j["prompt"] = game.TimQst().Enabled();
  j["picture"] = OrNull(game.PictureName());
  j["music"] = MusicMode(music);
  return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace velune
