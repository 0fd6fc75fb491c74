#!/usr/bin/env bash
# Plays the game window on a virtual screen (Xvfb) under a real window manager (openbox)
# as a player drags it smaller and larger by its corner, wider by its side alone,
# maximizes and restores it. After every change the outer width (frame included) must
# follow the outer height, 4:3 in steps of 8 twips, and the window must then keep still.
# Usage: window_screenshots.sh BUILD_DIR. Exits 77 (skipped) where it cannot run.
set -euo pipefail
build=$(cd "$1" && pwd)
skip() { echo "window_screenshots: skipped: $*"; exit 77; }
for tool in Xvfb openbox xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || skip "no $tool (Debian: xvfb openbox xdotool x11-utils)"
done
[ -x "$build/velune" ] && [ -f "$build/dat/lst.dat" ] || skip "no game with its story in $build"
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || skip "Xvfb does not start here"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$build/velune" >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
window=$(timeout 10 xdotool search --sync --pid "$game" --name '^Velune$' | tail -n1) ||
  { cat "$work/game.log" >&2; echo "window_screenshots: the window did not open" >&2; exit 1; }
failures=0
fail() { echo "window_screenshots: FAILED: $*" >&2; failures=$((failures + 1)); }

# The outer rectangle, frame included: X Y W H.
outer() {
  local x y w h l r t b
  eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { print "x=" $4 }
    /Absolute upper-left Y/ { print "y=" $4 } /^  Width:/ { print "w=" $2 }
    /^  Height:/ { print "h=" $2 }')"
  IFS=', ' read -r l r t b < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p')
  echo "$((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))"
}
# The 4:3 outer width for an outer height, in pixels: sixths of twips rounded half to even.
shape_width() {
  local k=$(($1 * 15 / 6)) rest=$(($1 * 15 % 6))
  if [ $rest -gt 3 ] || { [ $rest -eq 3 ] && [ $((k % 2)) -eq 1 ]; }; then k=$((k + 1)); fi
  echo $(((16 * k + 15) / 30))
}
maximized() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ; }
# In its 4:3 shape and still for a moment, then still for a second more.
settles() {
  local last="" now w h
  for _ in $(seq 60); do
    sleep 0.1
    now=$(outer)
    read -r _ _ w h <<<"$now"
    if [ "$w" -eq "$(shape_width "$h")" ] && [ "$now" = "$last" ]; then
      sleep 1
      [ "$(outer)" = "$now" ] && return 0
      return 1
    fi
    last=$now
  done
  return 1
}
# Drags the bottom-right corner, or with `side` the right edge, by DX DY.
drag() {
  local x y w h px py i
  read -r x y w h <<<"$(outer)"
  px=$((x + w - 1)) py=$((y + h - 1))
  [ -n "${3:-}" ] && py=$((y + h / 2))
  xdotool mousemove "$px" "$py" sleep 0.2 mousedown 1
  for i in $(seq 10); do
    xdotool mousemove $((px + $1 * i / 10)) $((py + $2 * i / 10)) sleep 0.05
  done
  xdotool mouseup 1
}
height() { read -r _ _ _ h <<<"$(outer)"; echo "$h"; }

sleep 2  # the picture and the first lines of the story
settles || fail "the window did not open in its 4:3 shape"
h0=$(height)
drag -180 -160
settles || fail "dragged smaller, the window did not keep still in its 4:3 shape"
[ $((h0 - $(height))) -gt 100 ] || fail "dragged smaller, the window kept its height"
drag 300 480
settles || fail "dragged larger, the window did not keep still in its 4:3 shape"
h0=$(height)
drag 150 0 side
settles || fail "dragged wider by its side, the width did not snap back"
[ "$(height)" -eq "$h0" ] || fail "dragged wider by its side, the height changed"
before=$(outer)
read -r x y w _ <<<"$before"
xdotool mousemove $((x + w / 2)) $((y + 8)) click --repeat 2 --delay 100 1  # the title bar
for _ in $(seq 30); do maximized && break; sleep 0.1; done
sleep 0.5
max=$(outer)
read -r _ _ w _ <<<"$max"
maximized && [ "$w" -ge 1276 ] || fail "the window did not maximize ($w pixels wide)"
sleep 1
[ "$(outer)" = "$max" ] || fail "the maximized window went on changing its size"
xdotool mousemove 640 8 click --repeat 2 --delay 100 1
for _ in $(seq 30); do maximized || break; sleep 0.1; done
settles || fail "restored, the window did not keep still in its 4:3 shape"
[ "$(outer | cut -d' ' -f3-)" = "$(cut -d' ' -f3- <<<"$before")" ] || fail "restored, another size"
kill -0 "$game" 2>/dev/null || { cat "$work/game.log" >&2; fail "the game ended"; }
[ "$failures" -eq 0 ] || exit 1
echo "window_screenshots: the window kept its 4:3 shape through every change"
