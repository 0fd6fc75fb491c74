#pragma once

// When the layout asks the window for its 4:3 width, and when it had better not: the
// window manager may answer a request with another width (a tiling one, one that keeps
// windows on the screen, one that ignores requests during a drag), and asking again
// each time it answers would resize the window back and forth for ever. No toolkit here:
// the window tells what it sees and the time, and is told whether to ask.

#include <cstdint>
#include <optional>

namespace velune::layout {

class WidthRequests {
 public:
  // A pass that comes this soon after a request may be the window manager's answer to it.
  static constexpr std::int64_t kAnswerMs = 250;
  // How long the window is left alone before a held request is asked once more.
  static constexpr std::int64_t kSettleMs = 250;
  // Requests in a row that the window manager may answer with yet another height.
  // (A quick drag of the player's looks the same: the window then snaps to its width
  // again when the drag stops.)
  static constexpr int kMostAnswered = 12;

  enum class Verdict {
    kInShape,  // the window has its width already: nothing to ask
    kAsk,      // ask for the width
    kHeld,     // the window manager had its say: lay out over the window as it is
  };

  // A pass that came from outside (the player, the window manager; not one that a
  // request of the layout started from inside) finds the window `width` pixels wide
  // (outer), `height_twips` high, where it should be `target` pixels wide.
  //
  // One height gets its width asked for twice at most: once, and once more if the
  // window then shows another width at that height (the player may have dragged the
  // side). And a run of requests each answered at once with another height ends after
  // kMostAnswered. Held passes may leave one settling request for later.
  Verdict Consider(int width, std::int32_t height_twips, int target, std::int64_t now_ms);

  // Whether a held pass should be followed by one more request once the window has been
  // left alone for kSettleMs. One such request at most until the height changes.
  bool SettleAllowed() const { return !settled_; }
  // The window was left alone after a held pass: whether to ask now, for the last time.
  Verdict Settle(int width, std::int32_t height_twips, int target, std::int64_t now_ms);

  // The window was maximized, minimized, restored or made full screen: what the
  // window manager answered before counts no more.
  void Forget();

  int Requests() const { return requests_; }

 private:
  struct Request {
    std::int32_t height = 0;
    int width = 0;
    std::int64_t time = 0;
  };
  void Asked(std::int32_t height_twips, int target, std::int64_t now_ms);

  std::optional<Request> asked_;  // the last request
  int again_at_height_ = 0;       // requests at the last request's height after the first
  int answered_run_ = 0;          // requests in a row made at passes soon after the one before
  bool settled_ = false;          // the settling request was made for this height
  int requests_ = 0;
};

}  // namespace velune::layout
