#!/bin/sh
# Every kind of finding that the checker reports is explained in the authoring guide: the
# identifier of every finding the sources add (a call may run over several lines).
# Usage: findings_documented.sh SOURCE_DIR
ids=$(cat "$1"/src/tool/*.cpp | tr '\n' ' ' |
  grep -oE '(Error|Warning|Note|Report|Add)\([^";{}]*"[a-z0-9-]+"' | grep -oE '"[a-z0-9-]+"$' |
  tr -d '"' | sort -u)
[ "$(echo "$ids" | wc -w)" -ge 40 ] || { echo "found only $(echo "$ids" | wc -w) identifiers"; exit 1; }
for id in $ids; do
  grep -q -- "$id" "$1/docs/authoring.md" || { echo "$id is not in docs/authoring.md"; exit 1; }
done
