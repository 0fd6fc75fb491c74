#pragma once

#include <string>

#include "story/mci_port.h"

namespace velune {

// The background tune: one MIDI file under the device alias MIDI, repeated while the
// window is open. Every failure is silent; a missing tune just leaves the game quiet.
class Music {
 public:
  explicit Music(MciPort& mci) : mci_(mci) {}

  void BgmOpen(const std::string& path);
  void BgmClose();
  void BgmPlay();
  void BgmStop();
  // The once-a-second poll: a tune that has stopped while it is to repeat starts again.
  void Bgm_Check_Timer();

  // True while the tune is to repeat (kept as the game's 16-bit truth value).
  bool BgmLoop() const { return bgm_loop_ == kTrue; }

 private:
  static constexpr short kTrue = -1;
  static constexpr short kFalse = 0;
  void Send(const std::string& command);

  MciPort& mci_;
  short bgm_loop_ = kFalse;
};

}  // namespace velune
