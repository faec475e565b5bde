#!/bin/bash
# Opens every dialog of the real window program on the simulator under an X server (run it
# inside xvfb-run), once in English and once in German, and keeps a screenshot of each in the
# artefact folder: the key dialog on its capture page, its Advance page and its page of profile
# keys, the macro, profile and colour dialogs, the factory-reset question and the About box.
# One window start per language; every wait is bounded and the program is killed if it
# outlives the test.
#
#   dialog_screenshots.sh N240QX N240QX_CTL ARTIFACT_DIR
set -u

source "$(dirname "$0")/window_driver.sh"

q_in_window=(398 271)
r_in_window=(473 271)
key_close=(255 357)
key_advance_tab=(330 40)
key_profile_keys=(20 305)
shots="$artifacts/dialogs"

# Waits for a visible window whose name starts with $1 and prints its id.
wait_for_prefix() {
  timeout 15 xdotool search --sync --onlyvisible --name "^$1" 2>/dev/null | head -n 1
}

# Keeps the dialog $1 as $2.png once it shows and prints its id; fails when it does not (run
# in a command substitution, so the caller ends too).
shoot() {
  local dialog
  dialog=$(wait_for_prefix "$1")
  [[ -n "$dialog" ]] || fail "\"$1\" did not open within 15 s"
  sleep 0.4
  import -window "$dialog" "$shots/$2.png" || fail "no screenshot of \"$1\""
  echo "$dialog"
}

# Every dialog of one language: $1 the language, then the titles of the key, profile, colour,
# factory-reset and About dialogs in it.
shoot_language() {
  local language=$1 key=$2 profiles=$3 colour=$4 reset=$5 about=$6 dialog
  start_window --language "$language"
  wait_until_idle

  click 35 207  # Keymap
  sleep 0.2
  click "${q_in_window[@]}"
  dialog=$(shoot "$key\$" "key-$language") || exit 1
  xdotool mousemove --window "$dialog" "${key_advance_tab[@]}" click 1
  sleep 0.3
  import -window "$dialog" "$shots/key-advance-$language.png" || fail "no Advance page"
  xdotool mousemove --window "$dialog" "${key_profile_keys[@]}" click 1
  sleep 0.3
  import -window "$dialog" "$shots/key-profile-keys-$language.png" || fail "no profile keys"
  xdotool mousemove --window "$dialog" "${key_close[@]}" click 1
  wait_window_gone "^$key\$" || fail "the key dialog did not close"

  click 130 570  # Macro
  dialog=$(shoot "Macro Management\$" "macro-$language") || exit 1
  xdotool mousemove --window "$dialog" 270 380 click 1  # OK
  wait_window_gone "^Macro Management\$" || fail "the macro dialog did not close"

  click 50 570  # Profile
  dialog=$(shoot "$profiles\$" "profile-$language") || exit 1
  xdotool mousemove --window "$dialog" 40 375 click 1  # OK
  wait_window_gone "^$profiles\$" || fail "the profile dialog did not close"

  click 100 165  # the effect list, then "Lighting Profile 1", whose keys take colours
  sleep 0.3
  click 100 403
  sleep 0.3
  click 35 207   # Keymap
  sleep 0.2
  click 137 207  # Custom
  sleep 0.3
  click "${r_in_window[@]}"
  dialog=$(shoot "$colour\$" "colour-$language") || exit 1
  xdotool mousemove --window "$dialog" 293 194 click 1  # Cancel
  wait_window_gone "^$colour\$" || fail "the colour dialog did not close"

  click 944 12  # Help, then the version row: About
  sleep 0.3
  click 860 80
  shoot "$about " "about-$language" >/dev/null || exit 1
  xdotool key Escape  # the modal box has the focus
  wait_window_gone "^$about " || fail "the About box did not close"

  click 944 12  # Help, then its first row: the factory reset asks first
  sleep 0.3
  click 860 30
  shoot "$reset\$" "message-box-$language" >/dev/null || exit 1
  xdotool key Escape  # the modal box has the focus
  wait_window_gone "^$reset\$" || fail "the factory-reset question did not close"

  # A session's end: the edits are dropped without a question.
  kill "$pid"
  wait "$pid"
  pid=""
}

mkdir -p "$shots"
shoot_language en "Key assignment" Profiles Color "Factory Setting" About
shoot_language de Tastenbelegung Profile Farbe Werkseinstellungen "Über"
count=$(find "$shots" -name '*.png' | wc -l)
[[ $count -eq 16 ]] || fail "$count screenshots, not 16"
echo "PASS: every dialog kept as a screenshot in English and German"
