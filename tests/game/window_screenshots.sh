#!/usr/bin/env bash
# Plays the game window on a virtual screen (Xvfb) under a real window manager (openbox)
# and checks its shape as a player changes it: at its first size, dragged smaller and
# larger by its corner, dragged wider by its side alone, maximized and restored. After
# every change the outer width (frame and title bar included) must follow the outer
# height, 4:3 in steps of 8 twips, and the window must then keep still. With OUT_DIR it
# also saves PNGs of the window at its first, a small and a large size, and maximized.
#
# Usage: window_screenshots.sh BUILD_DIR [OUT_DIR]
# Exits 77 (skipped) where the virtual screen or its tools are missing, saying why.
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-}

skip() {
  echo "window_screenshots: skipped: $*"
  exit 77
}
for tool in Xvfb openbox xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null ||
    skip "$tool is not installed (Debian: xvfb openbox xdotool x11-utils)"
done
[ -x "$build/velune" ] || skip "the game is not built in $build"
[ -f "$build/dat/lst.dat" ] || skip "there is no story beside the game in $build"
if [ -n "$out" ]; then
  command -v import >/dev/null || skip "import is not installed (Debian: imagemagick)"
  mkdir -p "$out"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

screen_width=1280
Xvfb -displayfd 3 -screen 0 ${screen_width}x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
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
  { cat "$work/game.log" >&2; echo "window_screenshots: the game window did not open" >&2; exit 1; }

failures=0
fail() {
  echo "window_screenshots: FAILED: $*" >&2
  failures=$((failures + 1))
}

# The window's outer rectangle, frame included: X Y W H.
outer() {
  local x y w h left right top bottom
  eval "$(xwininfo -id "$window" | awk '
    /Absolute upper-left X/ { print "x=" $4 } /Absolute upper-left Y/ { print "y=" $4 }
    /^  Width:/ { print "w=" $2 } /^  Height:/ { print "h=" $2 }')"
  IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS |
    sed -n 's/.*= *//p')
  echo "$((x - ${left:-0})) $((y - ${top:-0})) $((w + ${left:-0} + ${right:-0})) $((h + ${top:-0} + ${bottom:-0}))"
}

# The 4:3 outer width in pixels for an outer height in pixels: the height in twips over
# 6, rounded half to even, times 8 twips, back in whole pixels.
shape_width() {
  local twips=$(($1 * 15)) k rest
  k=$((twips / 6))
  rest=$((twips % 6))
  if [ $rest -gt 3 ] || { [ $rest -eq 3 ] && [ $((k % 2)) -eq 1 ]; }; then k=$((k + 1)); fi
  echo $(((2 * 8 * k + 15) / 30))
}

maximized() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ; }

# Waits until the window is in its 4:3 shape and keeps still for a moment.
settled_in_shape() {
  local last="" now
  for _ in $(seq 60); do
    sleep 0.1
    now=$(outer)
    read -r _ _ w h <<<"$now"
    if [ "$w" -eq "$(shape_width "$h")" ] && [ "$now" = "$last" ]; then return 0; fi
    last=$now
  done
  return 1
}

# Waits a second and says whether the window kept still meanwhile.
keeps_still() {
  local before
  before=$(outer)
  sleep 1
  [ "$(outer)" = "$before" ]
}

shot() {
  [ -n "$out" ] || return 0
  local x y w h
  read -r x y w h <<<"$(outer)"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/window-$1.png"
  echo "window_screenshots: $out/window-$1.png (${w}x${h} outside)"
}

# Drags the window's bottom-right corner, or with `side` its right edge, by dx, dy.
drag() {
  local dx=$1 dy=$2 side=${3:-} x y w h px py i
  read -r x y w h <<<"$(outer)"
  px=$((x + w - 1))
  py=$((y + h - 1))
  [ -n "$side" ] && py=$((y + h / 2))
  xdotool mousemove "$px" "$py"
  sleep 0.2
  xdotool mousedown 1
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((px + dx * i / 10)) $((py + dy * i / 10))
    sleep 0.05
  done
  xdotool mouseup 1
}

report() {
  local x y w h
  read -r x y w h <<<"$(outer)"
  echo "window_screenshots: $1: ${w}x${h} outside, $((w * 15))x$((h * 15)) twips, 4:3 width $(shape_width "$h")"
}

sleep 2  # the picture and the first lines of the story
settled_in_shape || fail "the window did not open in its 4:3 shape"
report "first size"
shot first-size

read -r _ _ _ h0 <<<"$(outer)"
drag -180 -160
settled_in_shape || fail "dragged smaller, the window did not come to its 4:3 shape"
read -r _ _ _ h <<<"$(outer)"
[ $((h0 - h)) -gt 100 ] || fail "dragged smaller, the window kept its height ($h0 to $h)"
report "dragged smaller"
shot small
keeps_still || fail "the small window went on changing its size"

drag 300 480
settled_in_shape || fail "dragged larger, the window did not come to its 4:3 shape"
report "dragged larger"
shot large
keeps_still || fail "the large window went on changing its size"

read -r _ _ _ h0 <<<"$(outer)"
drag 150 0 side
settled_in_shape || fail "dragged wider by its side, the width did not snap back"
read -r _ _ _ h <<<"$(outer)"
[ "$h" -eq "$h0" ] || fail "dragged wider by its side, the height changed ($h0 to $h)"
report "dragged wider by its side"

before=$(outer)
read -r x y w h <<<"$before"
xdotool mousemove $((x + w / 2)) $((y + 8)) click --repeat 2 --delay 100 1  # the title bar
for _ in $(seq 30); do maximized && break; sleep 0.1; done
maximized || fail "the window did not maximize"
sleep 0.5
read -r _ _ w _ <<<"$(outer)"
[ "$w" -ge $((screen_width - 4)) ] || fail "maximized, the window is $w pixels wide"
report "maximized"
shot maximized
keeps_still || fail "the maximized window went on changing its size"

xdotool mousemove $((screen_width / 2)) 8 click --repeat 2 --delay 100 1
for _ in $(seq 30); do maximized || break; sleep 0.1; done
maximized && fail "the window did not restore"
settled_in_shape || fail "restored, the window did not come to its 4:3 shape"
read -r _ _ w h <<<"$(outer)"
read -r _ _ w0 h0 <<<"$before"
[ "$w" -eq "$w0" ] && [ "$h" -eq "$h0" ] ||
  fail "restored, the window is ${w}x${h} outside, not ${w0}x${h0} as before"
report "restored"
keeps_still || fail "the restored window went on changing its size"

kill -0 "$game" 2>/dev/null || { cat "$work/game.log" >&2; fail "the game ended"; }
[ "$failures" -eq 0 ] || exit 1
echo "window_screenshots: the window kept its 4:3 shape through every change"
