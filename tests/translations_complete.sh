#!/bin/sh
# The Japanese catalogue holds every message of the code, each one translated: lupdate,
# run as the update_translations target runs it, finds nothing new, gone or unfinished.
# Usage: translations_complete.sh LUPDATE SOURCE_DIR LUPDATE_OPTIONS...
lupdate=$1 source=$2
shift 2
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cp "$source/translations/velune_ja.ts" "$work/velune_ja.ts"
"$lupdate" "$@" "$source/src" -ts "$work/velune_ja.ts" >"$work/lupdate.out" 2>&1 ||
  { cat "$work/lupdate.out"; exit 1; }
if ! cmp -s "$source/translations/velune_ja.ts" "$work/velune_ja.ts"; then
  echo "translations/velune_ja.ts is behind the code: build the update_translations target"
  diff "$source/translations/velune_ja.ts" "$work/velune_ja.ts" | head -40
  exit 1
fi
if grep -n 'type="unfinished"' "$work/velune_ja.ts"; then
  echo "these messages have no Japanese translation yet"
  exit 1
fi
