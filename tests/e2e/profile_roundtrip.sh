#!/bin/bash
# Drives the real window program on the simulator under an X server (run it inside xvfb-run):
# the profile dialog exports the configuration through the file dialog (the path typed, Enter)
# and the program is closed; the command-line tool then changes the brightness on the keyboard;
# the program is started again, the exported file imported and applied. The keyboard then holds
# the exported settings again and the profiles folder holds exactly that one profile.
#
#   profile_roundtrip.sh N240QX N240QX_CTL ARTIFACT_DIR
set -u

source "$(dirname "$0")/window_driver.sh"

exported="$work/exported.bin"

read_keyboard() {
  timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" read --json ||
    fail "n240qx-ctl could not read the simulated keyboard"
}

# Profile button, the Import or Export band, the path typed into the file dialog, then OK.
through_profile_dialog() {
  local band_y=$1 file_dialog=$2
  click 50 570
  local dialog
  dialog=$(wait_for_window Profiles 15)
  [[ -n "$dialog" ]] || fail "the profile dialog did not open within 15 s"
  sleep 0.3
  xdotool mousemove --window "$dialog" 320 "$band_y" click 1
  local chooser
  chooser=$(wait_for_window "$file_dialog" 15)
  [[ -n "$chooser" ]] || fail "the file dialog \"$file_dialog\" did not open within 15 s"
  sleep 0.5
  xdotool type --delay 5 "$exported"
  xdotool key Return
  for _ in $(seq 1 40); do
    xdotool search --onlyvisible --name "^$file_dialog\$" >/dev/null 2>&1 || break
    sleep 0.25
  done
  sleep 0.3
  import -window "$dialog" "$artifacts/profile-dialog.png" || fail "no screenshot"
  xdotool mousemove --window "$dialog" 40 375 click 1  # OK
  sleep 0.5
}

mkdir -p "$artifacts"
start_window
wait_until_idle
through_profile_dialog 117 "Save As"
close_window

[[ -f "$exported" ]] || fail "nothing was exported to $exported"
[[ $(stat -c %s "$exported") -eq 206920 ]] || fail "the exported file is not 206,920 bytes"
read_keyboard >"$work/exported.json"
brightness=$(grep -o '"brightness":[0-9]*' "$work/exported.json" | cut -d: -f2)
changed=$(( brightness == 20 ? 21 : 20 ))
timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" set brightness "$changed" \
  >/dev/null || fail "n240qx-ctl could not change the brightness"
read_keyboard | grep -q "\"brightness\":$changed" || fail "the brightness did not change"

start_window
wait_until_idle
through_profile_dialog 70 "Open"
click 897 573  # Apply
sleep 0.3
wait_until_idle
close_window

read_keyboard >"$work/applied.json"
if ! diff <(tr ',' '\n' <"$work/exported.json") <(tr ',' '\n' <"$work/applied.json") \
  >"$work/settings.diff"; then
  sed 's/^/  /' "$work/settings.diff" >&2
  fail "the keyboard does not hold the exported settings again"
fi
kept=$(ls "$work/data/Configure")
[[ "$kept" == "exported.bin" ]] || fail "Configure holds \"$kept\", not exactly exported.bin"
echo "PASS: the exported profile, imported and applied, is back on the simulated keyboard"
