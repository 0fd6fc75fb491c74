#!/usr/bin/env bash
# Checks that the running game plays its tune into the system's sound server, and stops
# when its window closes: a private PulseAudio server with a null sink, the game on a
# virtual screen (Xvfb, openbox to close it as a player would), the sink's monitor
# recorded while the game runs and after. Usage: sound_server_check.sh BUILD_DIR
# Exits 77 (skipped) where no sound server or virtual screen can run, saying why.
set -euo pipefail
build=$(cd "$1" && pwd)
skip() { echo "sound_server_check: skipped: $*"; exit 77; }
fail() { echo "sound_server_check: $*" >&2; exit 1; }
for tool in pulseaudio pactl pacat parecord Xvfb openbox xdotool od; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x "$build/velune" ] && [ -f "$build/dat/bgm.mid" ] || skip "no game with a tune in $build"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
wait_for() { for _ in $(seq 50); do eval "$1" && return; sleep 0.1; done; eval "$1"; }

# The sound server: its own folders, no session bus, anyone on its socket may play.
mkdir -p "$work/pulse" "$work/home"
export PULSE_RUNTIME_PATH="$work/pulse" PULSE_STATE_PATH="$work/pulse" PULSE_CONFIG_PATH="$work/pulse"
export PULSE_SERVER="unix:$work/pulse/native" XDG_RUNTIME_DIR="$work/pulse"
HOME="$work/home" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --system=no --disallow-module-loading=no --log-target=stderr --log-level=error \
  -L "module-null-sink sink_name=velune_check" \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
  >"$work/pulse.log" 2>&1 &
pids+=($!)
wait_for 'pactl info >/dev/null 2>&1' || { cat "$work/pulse.log"; skip "PulseAudio does not start"; }
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for '[ -s "$work/display" ]' || skip "Xvfb does not start here"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1.5
# A stream of silence keeps the sink running, so that its monitor always gives sound.
pacat --raw --format=s16le --channels=2 --rate=44100 </dev/zero 2>/dev/null &
pids+=($!)
streams() { pactl list short sink-inputs | wc -l; }
wait_for '[ "$(streams)" -ge 1 ]'

# record NAME SECONDS: records SECONDS of the sink's monitor into NAME.raw (it delivers in
# bursts: until the file holds that much, or 15 s); sets `loudest` to its loudest sample.
record() {
  local file=$work/$1.raw wanted=$((44100 * 4 * $2))
  parecord --raw --device=velune_check.monitor --format=s16le --channels=2 --rate=44100 \
    --latency-msec=20 "$file" 2>/dev/null &
  local recorder=$!
  for _ in $(seq 150); do
    [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" -ge "$wanted" ] && break
    sleep 0.1
  done
  kill -INT "$recorder"
  wait "$recorder" || true
  [ "$(stat -c %s "$file")" -ge $((wanted / 2)) ] || fail "the monitor gave too little to judge"
  loudest=$(od -An -v -td2 "$file" | tr -s ' ' '\n' | awk '$1<0{$1=-$1} $1>m{m=$1} END{print m+0}')
}

"$build/velune" >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
window=$(timeout 20 xdotool search --sync --pid "$game" --name '^Velune$' | tail -n1) ||
  { cat "$work/game.log" >&2; fail "the game window did not open"; }
record playing 3
playing=$loudest
playing_streams=$(streams)
xdotool windowactivate --sync "$window"
sleep 0.3
xdotool key --clearmodifiers alt+F4
wait_for '! kill -0 "$game" 2>/dev/null' || fail "the game did not end when its window closed"
record closed 2
closed=$loudest
closed_streams=$(streams)
echo "sound_server_check: loudest $playing and $playing_streams streams while the game ran;" \
  "$closed and $closed_streams after (one stream the check's own silence)"
[ "$playing_streams" -eq 2 ] && [ "$closed_streams" -eq 1 ] || fail "the game's stream was wrong"
[ "$playing" -ge 300 ] || fail "the game sent no sound to the sound server"
[ "$closed" -le 30 ] || fail "sound went on after the window closed"
