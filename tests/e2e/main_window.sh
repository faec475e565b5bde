#!/bin/bash
# Drives the real window program on the simulator under an X server (run it inside xvfb-run):
# game mode, the Windows-key lock and the response-time slider are clicked, Apply sends them,
# the close button ends the program, and the command-line tool reads the simulated keyboard
# back. Every wait is bounded; the program is killed if it outlives the test.
#
#   main_window.sh N240QX N240QX_CTL ARTIFACT_DIR
set -u

source "$(dirname "$0")/window_driver.sh"

# A small picture of one part of the window, to tell whether a click changed it.
crop_sum() {
  import -window "$wid" -crop "$1" +repage png:- 2>/dev/null | md5sum | cut -d' ' -f1
}

# Game mode as the simulated keyboard holds it: byte 25 of its state file (after the 16-byte
# header, the firmware version, report rate, response time and the five lighting bytes).
stored_game_mode() {
  od -An -tu1 -j25 -N1 "$work/state.bin" | tr -d ' '
}

mkdir -p "$artifacts"
start_window

wait_until_idle
read_game_mode=$(stored_game_mode)
before=$(crop_sum 21x21+105+466)
click 115 476  # game mode
sleep 0.3
[[ "$(crop_sum 21x21+105+466)" != "$before" ]] || fail "the game mode picture did not change"
click 166 512  # Windows-key lock
click 244 371  # the response-time slider's right end: 9
sleep 0.3
import -window "$wid" "$artifacts/main-window.png" || fail "no screenshot"

apply_and_close

# Before anything else reads the keyboard: the toggled game mode is what Apply sent.
[[ "$(stored_game_mode)" == "$((1 - read_game_mode))" ]] ||
  fail "game mode was $read_game_mode after the read and $(stored_game_mode) after Apply"

json=$(timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" read --json) ||
  fail "n240qx-ctl could not read the simulated keyboard"
for expected in '"game_mode":true' '"windows_key_lock":true' '"response_time":9'; do
  grep -q "$expected" <<<"$json" || fail "the keyboard does not hold $expected"
done
echo "PASS: the window's changes reached the simulated keyboard"
