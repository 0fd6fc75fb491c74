#!/usr/bin/env bash
# The game window under openbox, dragged, maximized and restored: after each, its outer width
# follows its outer height, 4:3 in steps of 8 twips, and it keeps still. Skipped (77) where
# it cannot run. Usage: window_screenshots.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd) work=$(mktemp -d) failures=0
skip() { echo "window_screenshots: skipped: $*"; exit 77; }
fail() { echo "window_screenshots: FAILED: $*" >&2; failures=$((failures + 1)); }
for tool in Xvfb openbox xdotool xwininfo xprop; do command -v "$tool" >/dev/null || skip "no $tool"; done
[ -x "$build/velune" ] && [ -f "$build/dat/lst.dat" ] || skip "no game with its story in $build"
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] && export DISPLAY=":$(head -n1 "$work/display")" || skip "no Xvfb"
openbox >/dev/null 2>&1 & sleep 1
"$build/velune" >"$work/game.log" 2>&1 & game=$!
window=$(timeout 10 xdotool search --sync --pid "$game" --name '^Velune$' | tail -n1) ||
  { cat "$work/game.log" >&2; echo "window_screenshots: the window did not open" >&2; exit 1; }
outer() {  # X Y W H, frame included
  eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print "x=" $4}
    /Absolute upper-left Y/ {print "y=" $4} /^  Width:/ {print "w=" $2} /^  Height:/ {print "h=" $2}')"
  IFS=', ' read -r l r t b < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p')
  echo "$((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))"
}
size() { outer | cut -d' ' -f3-; }
maximized() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ; }
settles() {  # in its 4:3 shape and still for a moment, then for a second more
  local last="" now w h k rest
  for _ in $(seq 60); do
    sleep 0.1 && now=$(outer) && read -r _ _ w h <<<"$now"
    k=$((h * 15 / 6)) rest=$((h * 15 % 6))  # sixths of twips, a half to the even one
    [ $rest -gt 3 ] || { [ $rest -eq 3 ] && [ $((k % 2)) -eq 1 ]; } && k=$((k + 1))
    [ "$w" -eq $(((16 * k + 15) / 30)) ] && [ "$now" = "$last" ] && { sleep 1; [ "$(outer)" = "$now" ]; return; }
    last=$now
  done
  return 1
}
drag() {  # the bottom-right corner, or with a third word the right side, by DX DY
  read -r x y w h <<<"$(outer)" && x=$((x + w - 1)) y=$((y + h - 1 - ${3:-0} * h / 2))
  xdotool mousemove "$x" "$y" sleep 0.2 mousedown 1
  for i in $(seq 10); do xdotool mousemove $((x + $1 * i / 10)) $((y + $2 * i / 10)) sleep 0.05; done
  xdotool mouseup 1 && settles
}
title_bar() { read -r x y w _ <<<"$(outer)" && xdotool mousemove $((x + w / 2)) $((y + 8)) click --repeat 2 --delay 100 1; }
sleep 2 && settles || fail "it did not open in its 4:3 shape"
h0=$(outer) && drag -180 -160 || fail "dragged smaller, it did not keep still in its 4:3 shape"
[ $((${h0##* } - $(outer | cut -d' ' -f4))) -gt 100 ] || fail "dragged smaller, it kept its height"
drag 300 480 || fail "dragged larger, it did not keep still in its 4:3 shape"
before=$(size) && drag 150 0 1 && [ "$(size)" = "$before" ] || fail "dragged wider by its side, it did not snap back"
title_bar && for _ in $(seq 30); do maximized && break; sleep 0.1; done; sleep 0.5 && max=$(outer)
maximized && [ "$(cut -d' ' -f3 <<<"$max")" -ge 1276 ] || fail "it did not maximize ($max)"
sleep 1 && [ "$(outer)" = "$max" ] || fail "maximized, it went on changing its size"
title_bar && for _ in $(seq 30); do maximized || break; sleep 0.1; done
settles && [ "$(size)" = "$before" ] || fail "restored, it did not keep still in its 4:3 shape, as before"
kill -0 "$game" 2>/dev/null || { cat "$work/game.log" >&2; fail "the game ended"; }
[ "$failures" -eq 0 ] && echo "window_screenshots: the window kept its 4:3 shape through every change"
