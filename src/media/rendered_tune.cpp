#include "media/rendered_tune.h"

#include <algorithm>

namespace velune {
namespace {

constexpr float kScale = 1.0F / 32768.0F;

}  // namespace

RenderedTune::RenderedTune(std::vector<std::int16_t> frames, std::size_t end_frame)
    : frames_(std::move(frames)), end_frame_(std::min(end_frame, Frames())), echo_(Frames()) {}

void RenderedTune::Play() {
  std::lock_guard lock(mutex_);
  playing_ = true;
}

void RenderedTune::Stop() {
  std::lock_guard lock(mutex_);
  playing_ = false;
}

void RenderedTune::Rewind() {
  std::lock_guard lock(mutex_);
  // Past the end only the echo sounds, and it rings on; before it, what comes next is
  // more of the tune, which a rewind cuts off.
  if (position_ >= end_frame_) echo_ = position_;
  playing_ = false;
  position_ = 0;
}

bool RenderedTune::Over() const {
  std::lock_guard lock(mutex_);
  return position_ >= end_frame_;
}

void RenderedTune::Fill(float* left, float* right, int count) {
  std::lock_guard lock(mutex_);
  const std::size_t frames = Frames();
  for (int i = 0; i < count; ++i) {
    float l = 0;
    float r = 0;
    if (playing_ && position_ < frames) {
      l = frames_[2 * position_] * kScale;
      r = frames_[2 * position_ + 1] * kScale;
      ++position_;
    }
    if (echo_ < frames) {
      l += frames_[2 * echo_] * kScale;
      r += frames_[2 * echo_ + 1] * kScale;
      ++echo_;
    }
    left[i] = l;
    right[i] = r;
  }
}

}  // namespace velune
