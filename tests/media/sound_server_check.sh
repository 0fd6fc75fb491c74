#!/usr/bin/env bash
# The game's tune reaches a private PulseAudio server's null sink while the game runs
# (offscreen), and ends with it. Usage: sound_server_check.sh BUILD_DIR; 77: skipped.
set -euo pipefail
build=$(cd "$1" && pwd) work=$(mktemp -d)
skip() { echo "sound_server_check: skipped: $*"; exit 77; }
for tool in pulseaudio pactl pacat parecord od; do command -v "$tool" >/dev/null || skip "no $tool"; done
[ -x "$build/velune" ] && [ -f "$build/dat/bgm.mid" ] || skip "no game with a tune in $build"
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
export PULSE_RUNTIME_PATH=$work PULSE_STATE_PATH=$work PULSE_CONFIG_PATH=$work HOME=$work
export XDG_RUNTIME_DIR=$work PULSE_SERVER=unix:$work/native QT_QPA_PLATFORM=offscreen
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=error -L "module-null-sink \
  sink_name=check" -L "module-native-protocol-unix auth-anonymous=1 socket=$work/native" 2>/dev/null &
timeout 5 sh -c 'until pactl info >/dev/null 2>&1; do sleep 0.1; done' || skip "no PulseAudio"
pacat --raw </dev/zero &  # one stream of silence keeps the sink running, its monitor sounding
listen() {  # the loudest sample on the monitor over $1 seconds, and the streams it mixes
  timeout -s INT "$1" parecord --raw --device=check.monitor "$work/heard.raw" || true
  echo "$(od -An -v -td2 "$work/heard.raw" | tr -s ' ' '\n' |
    awk '$1<0{$1=-$1} $1>m{m=$1} END{print m+0}') $(pactl list short sink-inputs | wc -l)"
}
"$build/velune" >"$work/game.log" 2>&1 & game=$!
read -r playing playing_streams < <(listen 4)
kill "$game" && wait "$game" || true
read -r ended ended_streams < <(listen 2)
echo "loudest $playing from $playing_streams streams while the game ran, then $ended from $ended_streams"
[ "$playing_streams" -eq 2 ] && [ "$playing" -ge 300 ] && [ "$ended_streams" -eq 1 ] &&
  [ "$ended" -le 30 ] || { cat "$work/game.log" >&2; exit 1; }
