#include "story/music.h"

#include <algorithm>
#include <array>
#include <cctype>

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
  std::string mode(reply.data(), 7);
  std::transform(mode.begin(), mode.end(), mode.begin(), [](char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  });
  if (mode == "STOPPED" && bgm_loop_ == kTrue) {
    Send("seek MIDI to start");
    Send("play MIDI from 0");
  }
}

}  // namespace velune
