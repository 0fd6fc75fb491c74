#!/bin/sh
# Which language each locale gets: Japanese where the first of the user's languages that we
# speak is Japanese, English elsewhere. Seen on the game's error for a story without its
# first scene, as velune-tool run reports it. Usage: languages.sh VELUNE_TOOL
tool=$1
story=$(mktemp -d) && trap 'rm -rf "$story"' EXIT
mkdir "$story/dat" && printf 'x\r\n' >"$story/dat/lst.dat"
failed=0
while read -r expected settings; do
  # shellcheck disable=SC2086 # the settings are words
  out=$(env -i PATH="$PATH" $settings "$tool" run "$story" </dev/null 2>&1)
  case "$out" in
    *"dat/00.dat を開けません"*) got=ja ;;
    *"cannot open dat/00.dat"*) got=en ;;
    *) got="neither" ;;
  esac
  [ "$got" = "$expected" ] || { echo "$settings: $expected expected, $got: $out"; failed=1; }
done <<EOF
ja LANG=ja_JP.UTF-8
ja LANG=ja_JP.eucJP
ja LANG=en_US.UTF-8 LANGUAGE=ja:en
en LANG=ja_JP.UTF-8 LANGUAGE=en:ja
ja LANG=fr_FR.UTF-8 LANGUAGE=fr:ja
ja LC_MESSAGES=ja_JP.UTF-8 LANG=C
en LC_ALL=C LANG=ja_JP.UTF-8
en LANG=C LANGUAGE=ja
en LANG=C
en LANG=C.UTF-8
en LANG=xx_YY.UTF-8
en LANG=fr_FR.UTF-8
en
EOF
exit $failed
