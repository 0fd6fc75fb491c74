#!/bin/sh
# no_writes.sh SOURCE_DIR PROGRAM...: a whole playthrough (tests/tool/plays/end3.play) by the
# program, from a read-only copy of the bundled story in an empty working folder, reaches
# the third ending, changes no file, and opens none for writing: strace shows (skipped where
# there is none), between the names the program looks for around the play if it does.
set -eu
source_dir=$1 && shift && cd "$(mktemp -d)" && trap 'chmod -R u+w .; rm -rf "$PWD"' EXIT
cp -R "$source_dir/games/sample" story && mkdir work && chmod -R a-w story
look() { find story work -printf '%p %m %s %T@ %C@\n' && find story work -type f -exec cksum {} +; }
before=$(look)
# LeakSanitizer cannot look for leaks in a program that strace traces.
strace -V >/dev/null 2>&1 && tracer="strace -f -qq -e trace=%file,ftruncate,fchmod,fchown,fallocate -o $PWD/log" && export ASAN_OPTIONS=detect_leaks=0
(cd work && ${tracer:-} "$@" ../story "$source_dir/tests/tool/plays/end3.play") > out
grep -q '"scene":"end3"' out || { echo "no third ending:"; cat out; exit 1; }
[ "$(look)" = "$before" ] || { echo "files changed"; exit 1; }
[ -n "${tracer:-}" ] || { echo "no strace here: the files were checked, the system calls not"; exit 77; }
grep -q playthrough-begins log && sed -i -n '/playthrough-begins/,/playthrough-ends/p' log
grep -q 'dat/00.dat' log || { echo "the story was not read"; exit 1; }
! grep -E '^[0-9 ]*((creat|mkdir(at)?|rmdir|unlink(at)?|rename(at2?)?|(sym)?link(at)?|f?truncate|f?chmod(at)?|[fl]?chown(at)?|utimes?|utimensat|futimesat|mknod(at)?|[lf]?setxattr|[lf]?removexattr|fallocate)\(|open(at2?)?\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC))' log
