#!/bin/bash
# Drives the real window program on the simulator under an X server (run it inside xvfb-run):
# a click on Q in the keyboard drawing opens the key assignment dialog, a click in its Combine
# field and Ctrl+Alt+Delete typed with xdotool (seen by the XInput2 key hook, as keys typed into
# any window are) capture the combination, Save ends the dialog, Apply sends it and the close
# button ends the program. The command-line tool then reads the simulated keyboard back: Q's
# key map entry holds LCtrl, LAlt, Delete and `keys` shows the combination. Every wait is
# bounded; the program is killed if it outlives the test.
#
#   key_assignment.sh N240QX N240QX_CTL ARTIFACT_DIR
set -u

source "$(dirname "$0")/window_driver.sh"

dialog_title="Key assignment"
q_slot=9
q_in_window=(398 271)  # Q's rectangle 85,164..109,188 offset by 301, 95
combine_field=(100 193)
save=(345 357)
expected_entry="00E0E24C"  # left Ctrl, left Alt, Delete

key_map_entry() {
  timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" read --json |
    grep -o '"map":"[0-9A-F]*"' | cut -d'"' -f4 | sed -n "$(($1 + 1))p"
}

mkdir -p "$artifacts"
before=$(key_map_entry "$q_slot") || fail "n240qx-ctl could not read the simulated keyboard"
[[ -n "$before" && "$before" != "$expected_entry" ]] || fail "Q's entry before the test: '$before'"

start_window
wait_until_idle
click 35 207  # Keymap
sleep 0.2
click "${q_in_window[@]}"
dialog=$(find_dialog "$dialog_title")
[[ -n "$dialog" ]] || fail "the key assignment dialog did not open within 15 s"
sleep 0.3
xdotool mousemove --window "$dialog" "${combine_field[@]}" click 1
sleep 0.2
xdotool key ctrl+alt+Delete
sleep 0.5
import -window "$dialog" "$artifacts/key-dialog.png" || fail "no screenshot of the dialog"
xdotool mousemove --window "$dialog" "${save[@]}" click 1
wait_window_gone "^$dialog_title\$" || fail "the dialog did not close on Save"

apply_and_close

after=$(key_map_entry "$q_slot") || fail "n240qx-ctl could not read the simulated keyboard"
[[ "$after" == "$expected_entry" ]] || fail "Q's key map entry is $after, not $expected_entry"
keys=$(timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" keys) ||
  fail "n240qx-ctl keys failed"
grep -E '^Q .*LCtrl \+ LAlt \+ Del' <<<"$keys" >/dev/null ||
  fail "keys does not list Q as a combination: $(grep -E '\bQ\b' <<<"$keys")"
echo "PASS: Ctrl+Alt+Delete captured through the key hook reached Q's key map entry"
