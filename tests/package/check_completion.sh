#!/usr/bin/env bash
# Completes n240qx-ctl command lines with the built completion script and checks that each
# offers what it should: commands, options, setting names, key names, profile files.
set -uo pipefail
completion=$1
source /usr/share/bash-completion/bash_completion || { echo "bash-completion is missing"; exit 1; }
source "$completion"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/evening.bin" "$folder/notes.txt"

# Prints the words offered for the last word of the line (the line ends in a blank when the
# last word is empty).
Offered() {
  read -ra COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$1
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _n240qx_ctl n240qx-ctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}"
}

# line | a word that must be offered | a word that must not be
cases=(
  "n240qx-ctl |assign|--json"
  "n240qx-ctl --js|--json|status"
  "n240qx-ctl --data-dir /tmp st|status|--json"
  "n240qx-ctl set bri|brightness|status"
  "n240qx-ctl set brightness 30 |light_effect|effect"
  "n240qx-ctl set light_direction |left|light_effect"
  "n240qx-ctl set game_mode |on|game_mode"
  "n240qx-ctl assign Es|Esc|single"
  "n240qx-ctl assign C|C|Ctrl"
  "n240qx-ctl assign F1 |combine|F1"
  "n240qx-ctl assign Q combine LC|LCtrl|combine"
  "n240qx-ctl macro |loop|macro"
  "n240qx-ctl profile |rename|profile"
  "n240qx-ctl help |functions|--json"
  "n240qx-ctl reset --|--yes|--raw"
  "n240qx-ctl reset --yes --d|--dry-run|--yes"
  "n240qx-ctl set brightness 30 --|--dry-run|--yes"
  "n240qx-ctl read --|--raw|--dry-run"
  "n240qx-ctl apply $folder/|$folder/evening.bin|$folder/notes.txt"
  "n240qx-ctl rules |default|--json"
  "n240qx-ctl rules add race --|--window-title|--dry-run"
)
status=0
for entry in "${cases[@]}"; do
  IFS='|' read -r line wanted unwanted <<<"$entry"
  offered=$(Offered "$line")
  if ! grep -qxF -- "$wanted" <<<"$offered"; then
    echo "\"$line\" does not offer $wanted; it offers: $(echo $offered)"
    status=1
  fi
  if grep -qxF -- "$unwanted" <<<"$offered"; then
    echo "\"$line\" offers $unwanted"
    status=1
  fi
done
exit $status
