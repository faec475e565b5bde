#!/usr/bin/env bash
# Fails when `n240qx-ctl --help` names an option (--word) or a command that the manual page
# does not document. Commands are the lowercase words that begin the help's usage lines
# (indented at most four blanks, after "n240qx-ctl" when a line starts with it), and the
# sub-command words after them ("macro show N", "profile list|export FILE"), up to the two
# blanks that begin a line's description; an example line names only its command.
set -euo pipefail
ctl=$1
page=$2

help=$("$ctl" --help)
# The page's text without roff escapes: \- is a hyphen, \fB \fI \fR \fP switch fonts.
plain=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")
# The terms of the page's tagged paragraphs: the bold words of the line after each .TP.
terms=$(sed -e 's/\\-/-/g' "$page" | awk 'tp && /^\.B / { sub(/^\.B /, ""); sub(/\\f.*/, ""); print } { tp = ($0 == ".TP") }' |
  tr ' ' '\n' | grep -E '^[a-z][a-z0-9-]*$' | sort -u)

options=$(grep -oE -- '--[a-z][a-z0-9-]*' <<<"$help" | sort -u)
commands=$(awk '
  match($0, /^ +[a-z]/) && RLENGTH <= 5 {
    usage = substr($0, RLENGTH)
    sub(/  .*/, "", usage)  # the description starts after two blanks
    n = split(usage, word, " ")
    first = (word[1] == "n240qx-ctl") ? 2 : 1
    if (word[first] !~ /^[a-z][a-z0-9-]*$/) next
    print word[first]
    if (first == 2) next  # an example: what follows the command is its arguments
    n = split(word[first + 1], subs, "|")
    for (i = 1; i <= n; i++) if (subs[i] ~ /^[a-z][a-z0-9-]*$/) print subs[i]
  }' <<<"$help" | sort -u)

[ -n "$options" ] && [ -n "$commands" ] || { echo "no options or commands found in --help"; exit 1; }
status=0
for option in $options; do
  if ! grep -qE -- "(^|[^a-z0-9-])${option}([^a-z0-9-]|$)" <<<"$plain"; then
    echo "$page lacks the option $option that --help names"
    status=1
  fi
done
for command in $commands; do
  if ! grep -qxF -- "$command" <<<"$terms"; then
    echo "$page lacks the command $command that --help names"
    status=1
  fi
done
exit $status
