#!/usr/bin/env bash
# Builds the default configuration and starts the window. Without a keyboard attached the window
# runs on the built-in keyboard simulator, whose memory it keeps in the data folder. Without a
# display it runs the command-line tool instead, reading the (simulated) keyboard.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default

window=build/default/src/gui/n240qx
ctl=build/default/src/cli/n240qx-ctl

if [ -x "$window" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec "$window" "$@"
fi

echo "No display: reading the keyboard with the command-line tool instead of opening the window." >&2
simulate=()
if ! "$ctl" status >/dev/null 2>&1; then
  echo "No keyboard attached: using the keyboard simulator." >&2
  simulate=(--simulate)
fi
exec "$ctl" "${simulate[@]}" read "$@"
