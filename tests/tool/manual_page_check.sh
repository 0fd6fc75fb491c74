#!/bin/sh
# The manual page names every command of velune-tool, as "velune-tool COMMAND", and every
# option that the tool's help and each command's help print.
# Usage: manual_page_check.sh VELUNE_TOOL PAGE
tool=$1
page=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$2")
commands=$("$tool" help | sed -n '/^Subcommands:/,$ s/^  \([a-z]*\) .*/\1/p')
options=$(for c in '' $commands; do "$tool" $c --help; done | grep -oE -- '(^|[ ,])--?[a-z][-a-z]*' | tr -d ' ,' | sort -u)
missing=0
for command in $commands; do
  printf '%s\n' "$page" | grep -qF "velune-tool $command" || { echo "no command $command"; missing=1; }
done
for option in $options; do
  printf '%s\n' "$page" | grep -qE -- "(^|[^-a-z])$option([^-a-z]|$)" || { echo "no option $option"; missing=1; }
done
exit $missing
