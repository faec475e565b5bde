#!/bin/bash
# Drives the real window program on the simulator under an X server (run it inside xvfb-run):
# "Lighting Profile 1" is picked from the effect list, the keyboard view is switched to Custom,
# a band dragged over Q, W and E selects them, a click on R opens the colour dialog, a palette
# swatch and OK colour the three keys, Apply sends them and the close button ends the program.
# The command-line tool then reads the simulated keyboard back: per-key colour table 0 holds the
# colour at exactly those three keys' slots and everything else as before. Every wait is
# bounded; the program is killed if it outlives the test.
#
#   per_key_colours.sh N240QX N240QX_CTL ARTIFACT_DIR
set -u

source "$(dirname "$0")/window_driver.sh"

dialog_title="Color"

# Key slots (places in the per-key colour tables) of the three keys the band selects, from the
# key table: Q is slot 9, W slot 15, E slot 21. In the window, Q covers x 386..410, W 411..435,
# E 436..460 and R 461..485, all at y 259..283 (key rectangles offset by 301, 95).
coloured_slots=(9 15 21)
band_from=(384 257)  # two pixels above and left of Q
band_to=(462 285)    # two pixels below and right of E: R starts inside the band but ends past it
click_r=(473 271)
# Palette swatch in row 2, column 1 of the colour dialog: 255, 128, 64. Swatch column c is at
# x = 13 + 19c and row 2 at y = 73; its hit rectangle is 14 x 13 pixels.
swatch=(38 79)
chosen_entry="00FF8040"  # byte 0 is always 0, then red, green, blue
chosen_rgb="srgb(255,128,64)"
dialog_ok=(241 194)

# Per-key colour table 0 as the keyboard holds it, one entry a line (128 lines), each with its
# pad byte ("RRGGBB" in the profile when the pad byte is zero).
table_zero() {
  timeout 60 "$ctl" --simulate="$work/state.bin" --data-dir "$work/data" read --json |
    grep -o '"colours":\["[0-9A-F]*"' | sed -E 's/.*\["([0-9A-F]*)"/\1/; s/^([0-9A-F]{6})$/00\1/'
}

# One pixel of a screenshot as ImageMagick names its colour, e.g. srgb(255,0,0).
pixel() {
  convert "$1" -format "%[pixel:p{$2,$3}]" info:
}

mkdir -p "$artifacts"
table_zero >"$work/before.txt" || fail "n240qx-ctl could not read the simulated keyboard"
[[ $(wc -l <"$work/before.txt") -eq 128 ]] || fail "table 0 did not read as 128 entries"
for slot in "${coloured_slots[@]}"; do
  [[ "$(sed -n "$((slot + 1))p" "$work/before.txt")" != "$chosen_entry" ]] ||
    fail "slot $slot already holds $chosen_entry before the test"
done

start_window

wait_until_idle
click 100 165  # the effect's name opens the effect list
sleep 0.3
click 100 403  # row 11: "Lighting Profile 1"
sleep 0.3
click 35 207   # Keymap
sleep 0.2
click 137 207  # Custom: the keyboard view edits per-key colours
sleep 0.3

# The band: press, move in steps so that the window sees a drag, release.
xdotool mousemove --window "$wid" "${band_from[0]}" "${band_from[1]}" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  x=$((band_from[0] + (band_to[0] - band_from[0]) * step / 8))
  y=$((band_from[1] + (band_to[1] - band_from[1]) * step / 8))
  xdotool mousemove --window "$wid" "$x" "$y"
  sleep 0.05
done
xdotool mouseup 1
sleep 0.3

# A click on any key now asks for the selection's colour (R itself is not added).
click "${click_r[@]}"
dialog=$(find_dialog "$dialog_title")
[[ -n "$dialog" ]] || fail "the colour dialog did not open within 15 s"
sleep 0.3
xdotool mousemove --window "$dialog" "${swatch[@]}" click 1
sleep 0.2
xdotool mousemove --window "$dialog" "${dialog_ok[@]}" click 1
wait_window_gone "^$dialog_title\$" || fail "the colour dialog did not close on OK"

# Away from the keys, so that no hover frame covers them in the picture.
xdotool mousemove --window "$wid" 600 600
sleep 0.5
shot="$artifacts/per-key-view.png"
import -window "$wid" "$shot" || fail "no screenshot"
for key in "388 261 Q" "413 261 W" "438 261 E"; do
  read -r x y name <<<"$key"
  [[ "$(pixel "$shot" "$x" "$y")" == "$chosen_rgb" ]] ||
    fail "key $name shows $(pixel "$shot" "$x" "$y"), not $chosen_rgb"
done
[[ "$(pixel "$shot" 463 261)" != "$chosen_rgb" ]] || fail "key R was coloured too"

apply_and_close

table_zero >"$work/after.txt" || fail "n240qx-ctl could not read the simulated keyboard"
[[ $(wc -l <"$work/after.txt") -eq 128 ]] || fail "table 0 did not read back as 128 entries"
cp "$work/before.txt" "$work/expected.txt"
for slot in "${coloured_slots[@]}"; do
  sed -i "$((slot + 1))s/.*/$chosen_entry/" "$work/expected.txt"
done
if ! diff -u "$work/expected.txt" "$work/after.txt" >"$work/table.diff"; then
  sed 's/^/  /' "$work/table.diff" >&2
  fail "table 0 on the keyboard is not the old table with slots ${coloured_slots[*]} coloured"
fi
echo "PASS: the three band-selected keys reached the simulated keyboard in table 0"
