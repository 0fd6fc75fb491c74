#!/bin/sh
# A whole playthrough (tests/tool/plays/end3.play) by PROGRAM, from a read-only copy of the
# bundled story, in an empty working folder: it reaches the third ending, changes no file,
# and opens none for writing (from strace, skipped where there is none; between the names
# the program notes at the start and end of the playthrough, when it notes them).
#   no_writes.sh SOURCE_DIR PROGRAM...
set -eu
source_dir=$1
shift
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
cp -R "$source_dir/games/sample" "$scratch/story"
mkdir "$scratch/work"
chmod -R a-w "$scratch/story"
look() { cd "$scratch" && find story work -printf '%p %m %s %T@ %C@\n' && find story work -type f -exec cksum {} +; }
before=$(look)
tracer=
if strace -V >/dev/null 2>&1; then
  # LeakSanitizer cannot look for leaks in a program that strace traces.
  export ASAN_OPTIONS=detect_leaks=0
  tracer="strace -f -qq -e trace=%file,ftruncate,fchmod,fchown,fallocate -o $scratch/log"
fi
(cd "$scratch/work" && $tracer "$@" "$scratch/story" "$source_dir/tests/tool/plays/end3.play") > "$scratch/out"
grep -q '"scene":"end3"' "$scratch/out" || { echo "no third ending:"; cat "$scratch/out"; exit 1; }
[ "$(look)" = "$before" ] || { echo "files changed:"; look; exit 1; }
[ -n "$tracer" ] || { echo "no strace here: the files were checked, the system calls not"; exit 77; }
if grep -q velune-playthrough-begins "$scratch/log"; then
  sed -n '/velune-playthrough-begins/,/velune-playthrough-ends/p' "$scratch/log" > "$scratch/calls"
else
  cp "$scratch/log" "$scratch/calls"
fi
grep -q 'dat/00.dat' "$scratch/calls" || { echo "the story was not read"; exit 1; }
if grep -E '^[0-9 ]*((creat|mkdir(at)?|rmdir|unlink(at)?|rename(at2?)?|(sym)?link(at)?|f?truncate|f?chmod(at)?|[fl]?chown(at)?|utimes?|utimensat|futimesat|mknod(at)?|[lf]?setxattr|[lf]?removexattr|fallocate)\(|open(at2?)?\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC))' "$scratch/calls"; then
  echo "written above"
  exit 1
fi
