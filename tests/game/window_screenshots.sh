#!/usr/bin/env bash
# Renders the game window with the bundled story on a virtual screen (Xvfb) and saves
# PNGs: the window at its first size with the first page, then, where xdotool is there
# to resize it, at a larger size. Usage: window_screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
for tool in Xvfb import; do
  command -v "$tool" >/dev/null || { echo "window_screenshots: $tool is needed" >&2; exit 1; }
done

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
xvfb=$!
pids=("$xvfb")
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -f "$fdfile"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$fdfile" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$fdfile")"

if command -v openbox >/dev/null; then  # a title bar with the title and the icon
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 0.5
fi

"$build/velune" >/dev/null 2>&1 &
game=$!
pids+=("$game")
sleep 3  # the picture and the first lines of the story

window=""
if command -v xdotool >/dev/null; then
  window=$(xdotool search --sync --pid "$game" --name '^Velune$' | tail -n1)
fi
import -window root "$out/window-first-size.png"
if [ -n "$window" ]; then
  xdotool windowsize "$window" 1000 750
  sleep 1
  import -window root "$out/window-1000x750.png"
else
  echo "window_screenshots: xdotool is missing, so the window keeps its first size" >&2
fi
ls "$out"/*.png
