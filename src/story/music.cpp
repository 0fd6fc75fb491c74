#include "story/music.h"

#include <array>

#include "story/ascii.h"

namespace velune {

void Music::Send(const std::string& command) { mci_.SendString(command, nullptr, 0); }

void Music::BgmOpen(const std::string& path) {
  // Closing first lets a second open replace a device still open under the alias.
  Send("close MIDI notify");
  Send("open \"" + path + "\" alias MIDI");
}

void Music::BgmClose() { Send("close MIDI notify"); }

void Music::BgmPlay() {
  bgm_loop_ = kTrue;
  Send("play MIDI notify");
}

void Music::BgmStop() {
  bgm_loop_ = kFalse;
  Send("stop MIDI notify");
}

void Music::Bgm_Check_Timer() {
  // The buffer starts as blanks, so a query that writes no reply never reads "stopped".
  std::array<char, 16> reply;
  reply.fill(' ');
  mci_.SendString("status MIDI mode", reply.data(), static_cast<int>(reply.size()) - 1);
  const std::string_view mode(reply.data(), 7);
  if (SameIgnoringAsciiCase(mode, "stopped") && bgm_loop_ == kTrue) {
    Send("seek MIDI to start");
    Send("play MIDI from 0");
  }
}

}  // namespace velune
