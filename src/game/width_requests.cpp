#include "game/width_requests.h"

namespace velune::layout {

WidthRequests::Verdict WidthRequests::Consider(int width, std::int32_t height_twips, int target,
                                               std::int64_t now_ms) {
  if (width == target) {
    Forget();
    return Verdict::kInShape;
  }
  const bool soon = asked_ && now_ms - asked_->time < kAnswerMs;
  const bool same_height = asked_ && asked_->height == height_twips;
  // Asked twice at this height, and still another width: the window manager wants it so.
  if (same_height && again_at_height_ >= 1) return Verdict::kHeld;
  // Each request answered at once with yet another height: stop before it goes round.
  if (soon && !same_height && answered_run_ >= kMostAnswered) return Verdict::kHeld;

  if (same_height) {
    ++again_at_height_;
  } else {
    again_at_height_ = 0;
    settled_ = false;
  }
  answered_run_ = soon ? answered_run_ + 1 : 0;
  Asked(height_twips, target, now_ms);
  return Verdict::kAsk;
}

WidthRequests::Verdict WidthRequests::Settle(int width, std::int32_t height_twips, int target,
                                             std::int64_t now_ms) {
  if (width == target) {
    Forget();
    return Verdict::kInShape;
  }
  if (settled_) return Verdict::kHeld;
  settled_ = true;
  if (asked_ && asked_->height == height_twips) {
    ++again_at_height_;
  } else {
    again_at_height_ = 0;
  }
  Asked(height_twips, target, now_ms);
  return Verdict::kAsk;
}

void WidthRequests::Forget() {
  asked_.reset();
  again_at_height_ = 0;
  answered_run_ = 0;
  settled_ = false;
}

void WidthRequests::Asked(std::int32_t height_twips, int target, std::int64_t now_ms) {
  asked_ = Request{height_twips, target, now_ms};
  ++requests_;
}

}  // namespace velune::layout
