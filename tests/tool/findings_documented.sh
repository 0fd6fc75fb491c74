#!/bin/sh
# Every kind of finding that the checker reports is explained in the authoring guides, English
# and Japanese: the identifier of every finding the sources add (a call may run over several
# lines).
# Usage: findings_documented.sh SOURCE_DIR
ids=$(cat "$1"/src/tool/*.cpp | tr '\n' ' ' |
  grep -oE '(Error|Warning|Note|Report|Add)\([^";{}]*"[a-z0-9-]+"' | grep -v 'Tr("' |
  grep -oE '"[a-z0-9-]+"$' | tr -d '"' | sort -u)
[ "$(echo "$ids" | wc -w)" -ge 40 ] || { echo "found only $(echo "$ids" | wc -w) identifiers"; exit 1; }
for guide in authoring.md authoring.ja.md; do
  for id in $ids; do
    grep -q -- "\`$id\`" "$1/docs/$guide" || { echo "$id is not in docs/$guide"; exit 1; }
  done
done
