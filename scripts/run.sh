#!/usr/bin/env bash
# Builds the default configuration and starts the program: the window when it has been built,
# otherwise the command-line tool reading the keyboard. Without a keyboard attached both run on
# the built-in keyboard simulator; `n240qx-ctl status` tells which (exit status 0: attached).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default

window=build/default/src/gui/n240qx
ctl=build/default/src/cli/n240qx-ctl

simulate=()
if ! "$ctl" status >/dev/null 2>&1; then
  echo "No keyboard attached: running on the keyboard simulator." >&2
  simulate=(--simulate)
fi

if [ -x "$window" ]; then
  exec "$window" "${simulate[@]}" "$@"
fi
exec "$ctl" "${simulate[@]}" read "$@"
