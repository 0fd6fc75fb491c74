#!/usr/bin/env bash
# Checks that the running game plays its tune into the system's sound server: starts a
# private PulseAudio server whose only output is a null sink, opens the game window on a
# virtual screen (Xvfb, with openbox to close it as a player would), records the sink's
# monitor while the game runs and after its window has closed, and checks that the first
# recording holds sound and the second none.
#
# Usage: sound_server_check.sh BUILD_DIR
# Exits 77 (skipped) where no sound server or virtual screen can run, saying why.
set -euo pipefail
build=$(cd "$1" && pwd)

skip() {
  echo "sound_server_check: skipped: $*"
  exit 77
}
for tool in pulseaudio pactl pacat parecord Xvfb openbox xdotool python3; do
  command -v "$tool" >/dev/null ||
    skip "$tool is not installed (Debian: pulseaudio pulseaudio-utils xvfb openbox xdotool)"
done
[ -x "$build/velune" ] || skip "the game is not built in $build"
[ -f "$build/dat/bgm.mid" ] || skip "there is no tune beside the game in $build/dat"

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

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
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { cat "$work/pulse.log"; skip "PulseAudio does not start here"; }

# The virtual screen, with a window manager that closes windows on Alt+F4.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || skip "Xvfb does not start here"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1.5

# A stream of silence keeps the sink running, so that its monitor gives sound (or
# silence) all the time and not only while someone plays.
pacat --raw --format=s16le --channels=2 --rate=44100 --client-name=velune-check-keeper \
  </dev/zero 2>/dev/null &
pids+=($!)
streams() { pactl list short sink-inputs | wc -l; }
for _ in $(seq 50); do [ "$(streams)" -ge 1 ] && break; sleep 0.1; done

# record FILE SECONDS: records SECONDS of the null sink's monitor. The monitor delivers
# in bursts, so the recording goes on until the file holds that much sound (or 15 s).
record() {
  parecord --device=velune_check.monitor --format=s16le --channels=2 --rate=44100 \
    --latency-msec=20 --file-format=wav "$1" 2>/dev/null &
  local recorder=$!
  pids+=("$recorder")
  local wanted=$((44 + 44100 * 4 * $2))
  for _ in $(seq 150); do
    [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -ge "$wanted" ] && break
    sleep 0.1
  done
  kill -INT "$recorder"
  wait "$recorder" || true
}

# While the game runs.
"$build/velune" >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
window=$(timeout 20 xdotool search --sync --pid "$game" --name '^Velune$' | tail -n1) ||
  { cat "$work/game.log" >&2; echo "sound_server_check: the game window did not open" >&2; exit 1; }
record "$work/playing.wav" 3
playing_streams=$(streams)

# Close the window as a player would, and record what comes after.
xdotool windowactivate --sync "$window"
sleep 0.3
xdotool key --clearmodifiers alt+F4
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game" 2>/dev/null; then
  echo "sound_server_check: the game did not end when its window was closed" >&2
  exit 1
fi
record "$work/closed.wav" 2
closed_streams=$(streams)
echo "sound_server_check: streams on the sound server: $playing_streams while the game ran," \
  "$closed_streams after it closed (one of them the check's own silence)"
if [ "$playing_streams" -ne 2 ] || [ "$closed_streams" -ne 1 ]; then
  echo "sound_server_check: the game's stream was not there while it ran, or stayed after" >&2
  exit 1
fi

python3 - "$work/playing.wav" "$work/closed.wav" <<'EOF'
import struct, sys, wave

def loudest(path):
    """The loudest sample of a 16-bit recording, 0 to 32767, and its length in seconds."""
    with wave.open(path) as w:
        frames = w.readframes(w.getnframes())
        seconds = w.getnframes() / w.getframerate()
    samples = struct.unpack("<%dh" % (len(frames) // 2), frames)
    return max((abs(s) for s in samples), default=0), seconds

playing, playing_seconds = loudest(sys.argv[1])
closed, closed_seconds = loudest(sys.argv[2])
print("sound_server_check: while the game ran: loudest %d in %.1f s; "
      "after it closed: loudest %d in %.1f s" % (playing, playing_seconds, closed, closed_seconds))
if playing_seconds < 2 or closed_seconds < 1:
    sys.exit("sound_server_check: the sound server's monitor gave too little to judge")
if playing < 300:
    sys.exit("sound_server_check: the game sent no sound to the sound server")
if closed > 30:
    sys.exit("sound_server_check: sound went on after the window closed")
EOF
