#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace velune {

// A tune rendered once, whole, and played from memory: the game plays one short tune
// over and over while it waits for the player, and synthesizing it again every round
// would keep a processor busy for nothing. The sound is 16-bit stereo, as the sound
// output takes it; after the tune's end comes the echo of its last notes, which goes on
// sounding under the tune's start when it is played again, as a synthesizer's would.
//
// Play, Stop, Rewind and Over come from one thread, Fill from the sound output's.
class RenderedTune {
 public:
  // `frames`: the sound, left and right interleaved; `end_frame`: where the tune ends and
  // its echo begins.
  RenderedTune(std::vector<std::int16_t> frames, std::size_t end_frame);

  void Play();
  void Stop();
  // Stops and goes back to the start; what still sounds of the end goes on.
  void Rewind();
  // True once the position has reached the tune's end.
  bool Over() const;

  // The next `count` frames of sound, and the position moves on by as many while it plays.
  // Silence where nothing sounds.
  void Fill(float* left, float* right, int count);

  // The bytes that the sound takes.
  std::size_t Bytes() const { return frames_.size() * sizeof(std::int16_t); }

 private:
  std::size_t Frames() const { return frames_.size() / 2; }

  const std::vector<std::int16_t> frames_;
  const std::size_t end_frame_;

  mutable std::mutex mutex_;
  bool playing_ = false;
  std::size_t position_ = 0;
  std::size_t echo_ = 0;  // where the echo of an earlier round goes on; Frames() when none
};

}  // namespace velune
