#!/usr/bin/env bash
# The Windows build under Wine: velune-tool.exe plays the bundled story's plays and prints
# byte for byte what the Linux build prints, and checks the story as the Linux build does,
# in Japanese as the Japanese Windows asks;
# velune.exe opens red with the town picture, the first page and the gift list, turns the
# page at a click, shows the give button at the gift prompt and ends with 0 when closed.
# (scripts/check-windows-installer tries the installer.)
# Skipped (77) where there is no Windows build or nothing to run it on.
# Usage: under_wine.sh WINDOWS_BUILD LINUX_TOOL PLAYS_DIR
set -euo pipefail
skip() { echo "under_wine: skipped: $*"; exit 77; }
[ -f "$1/velune.exe" ] && [ -f "$1/velune-tool.exe" ] || skip "no Windows build in $1"
win=$(cd "$1" && pwd) tool=$2 plays=$3 failures=0
wine_run=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run
fail() { echo "under_wine: FAILED: $*" >&2; failures=$((failures + 1)); }
for tool_name in wine Xvfb xdotool xwininfo convert; do
  command -v "$tool_name" >/dev/null || skip "no $tool_name"
done
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
export VELUNE_WINEPREFIX=$work/prefix  # one Windows for every step
# The screen first: Wine's desktop, started with the prefix's first program, keeps the one
# it found.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] && export DISPLAY=":$(head -n1 "$work/display")" || skip "no Xvfb"

for play in "$plays"/*.play; do
  "$wine_run" "$win/velune-tool.exe" run "$win" "$play" >"$work/windows.out" || true
  "$tool" run "$win" "$play" >"$work/linux.out" || true
  cmp -s "$work/windows.out" "$work/linux.out" || fail "$(basename "$play") plays otherwise"
done
# Wine runs in Japanese, and velune-tool.exe speaks it as a Japanese Windows asks.
summary=$("$wine_run" "$win/velune-tool.exe" check "$win" | tail -n1)
[ "$summary" = "$(LC_ALL=ja_JP.UTF-8 "$tool" check "$win" 2>/dev/null | tail -n1)" ] ||
  fail "the check, its pages measured on the Windows window, finds otherwise: $summary"
case $summary in *件*) ;; *) fail "velune-tool.exe does not speak Japanese: $summary" ;; esac

"$wine_run" "$win/velune.exe" >"$work/game.log" 2>&1 & game=$!
window=$(timeout 60 xdotool search --sync --name '^Velune$' | tail -n1) ||
  { cat "$work/game.log" >&2; echo "under_wine: the window did not open" >&2; exit 1; }
sleep 2
eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {print "x=" $4}
  /Absolute upper-left Y/ {print "y=" $4} /^  Width:/ {print "w=" $2} /^  Height:/ {print "h=" $2}')"
region() {  # the window's region at grid units LEFT TOP WIDTH HEIGHT of its 40 × 30 grid
  awk -v x="$x" -v y="$y" -v w="$w" -v h="$h" -v l="$1" -v t="$2" -v rw="$3" -v rh="$4" \
    'BEGIN { printf "%dx%d+%d+%d", w * rw / 40, h * rh / 30, x + w * l / 40, y + h * t / 30 }'
}
shot() { import -window root "$work/$1.png"; }
measure() {  # SHOT REGION FX: a number of the region's pixels
  convert "$work/$1.png" -crop "$2" +repage -format "%[fx:$3]" info:
}
is() { awk "BEGIN { exit !($1) }"; }
shot start
is "$(measure start "$(region 30.6 5 0.2 10)" 'mean.r') > 0.95 && $(measure start "$(region 30.6 5 0.2 10)" 'mean.g') < 0.05" ||
  fail "the window is not red beside the picture"
is "$(measure start "$(region 5 5 20 15)" 'standard_deviation') > 0.05" || fail "no picture"
is "$(measure start "$(region 32 1 7 18)" 'mean') < 0.3" || fail "no dark gift list"
is "$(measure start "$(region 1 24 29 5)" 'standard_deviation') > 0.05" || fail "no story text"
text=$(region 1 24 29 5)
convert "$work/start.png" -crop "$text" "$work/page1.png"
xdotool mousemove $((x + w * 10 / 40)) $((y + h * 26 / 30)) click 1 && sleep 1 && shot next
convert "$work/next.png" -crop "$text" "$work/page2.png"
[ "$(compare -metric AE "$work/page1.png" "$work/page2.png" null: 2>&1 || true)" != 0 ] ||
  fail "a click did not turn the page"
button=$(region 31.5 21.5 7.5 3)
for _ in $(seq 60); do
  shot prompt
  is "$(measure prompt "$button" 'standard_deviation') > 0.01" && break
  xdotool click 1 && sleep 0.5
done
is "$(measure prompt "$button" 'standard_deviation') > 0.01" || fail "no give button at the gift prompt"
cp "$work/start.png" "${VELUNE_WINE_SHOT:-/dev/null}" 2>/dev/null || true
xdotool windowfocus "$window" key alt+F4 || true
for _ in $(seq 300); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$game" || status=$?
[ "$status" -eq 0 ] || fail "closed, the game ended with $status"

[ "$failures" -eq 0 ] && echo "under_wine: the Windows build plays, and shows its window as it should"
