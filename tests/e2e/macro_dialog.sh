#!/bin/bash
# Drives the real window program on the simulator under an X server (run it inside xvfb-run):
# the Macro button opens the macro dialog, New makes "Macro_001", Start Recording, "ab" typed
# with xdotool, Stop Recording and OK store it, Apply sends it and the close button ends the program. The
# command-line tool then lists the stored macro's events. Every wait is bounded; the program
# is killed if it outlives the test.
#
#   macro_dialog.sh N240QX N240QX_CTL ARTIFACT_DIR
set -u

source "$(dirname "$0")/window_driver.sh"

dialog_title="Macro Management"
# Dialog pixels: New, the Record button, OK.
new_button=(40 380)
record_button=(300 112)
ok_button=(270 380)

dialog_click() {
  xdotool mousemove --window "$dialog" "$1" "$2" click 1
  sleep 0.3
}

mkdir -p "$artifacts"
start_window
wait_until_idle
click 130 570  # Macro
dialog=$(find_dialog "$dialog_title")
[[ -n "$dialog" ]] || fail "the macro dialog did not open within 15 s"
sleep 0.3
dialog_click "${new_button[@]}"
dialog_click "${record_button[@]}"
xdotool type --delay 150 ab
sleep 0.5
dialog_click "${record_button[@]}"
xdotool mousemove --window "$dialog" 200 30
sleep 0.3
import -window "$dialog" "$artifacts/macro-dialog.png" || fail "no screenshot"
dialog_click "${ok_button[@]}"
wait_window_gone "^$dialog_title\$" || fail "the macro dialog did not close on OK"

apply_and_close

timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" macros >"$work/macros.txt" ||
  fail "n240qx-ctl could not list the macros"
grep -q '^0: Macro_001 ' "$work/macros.txt" || fail "no Macro_001: $(cat "$work/macros.txt")"
timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" macro show 0 \
  >"$work/events.txt" || fail "n240qx-ctl could not show macro 0"
printf 'macro 0: Macro_001\nA dn\nA up\nB dn\nB up\n' >"$work/expected.txt"
if ! diff -u "$work/expected.txt" "$work/events.txt" >"$work/events.diff"; then
  sed 's/^/  /' "$work/events.diff" >&2
  fail "macro 0 does not hold the typed keys"
fi
echo "PASS: the keys typed while recording are stored as Macro_001"
