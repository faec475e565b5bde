#!/bin/bash
# Starts the window on a simulated keyboard with the OpenRGB SDK server on a free port (the
# offscreen platform needs no X server) and runs the npm client's script against it. Exits 77
# (not run) when Node.js or the installed client is missing.
#
#   openrgb_client.sh N240QX N240QX_CTL CLIENT_DIR
set -u

program=$1
ctl=$2
client_dir=$3
script="$(dirname "$0")/sdk_client.js"

command -v node >/dev/null || { echo "node is missing" >&2; exit 77; }
[[ -d "$client_dir/node_modules/openrgb-sdk" ]] ||
  { echo "openrgb-sdk is not installed" >&2; exit 77; }

work=$(mktemp -d)
mkdir -p "$work/data"
pid=""
cleanup() {
  if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}

# A port the system hands out as free; another program could take it before the window does,
# which the wait below reports.
port=$(node -e 'const s = require("net").createServer().listen(0, "127.0.0.1", () => {
  console.log(s.address().port); s.close(); });')

QT_QPA_PLATFORM=offscreen "$program" --simulate="$work/state.bin" --data-dir "$work/data" \
  --openrgb-server="$port" >"$work/program.log" 2>&1 &
pid=$!

listening=no
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || fail "the window ended at start-up"
  if node -e 'require("net").connect('"$port"', "127.0.0.1").on("connect", () => process.exit(0))
      .on("error", () => process.exit(1));'; then
    listening=yes
    break
  fi
  sleep 0.1
done
[[ $listening == yes ]] || fail "the window did not listen on port $port within 10 s"

NODE_PATH="$client_dir/node_modules" node "$script" "$port" "$ctl" "$work/state.bin" "$work/data" ||
  fail "the client's checks failed"
