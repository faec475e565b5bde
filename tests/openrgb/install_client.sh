#!/bin/bash
# Installs the OpenRGB SDK client from the committed lock file into the build folder. Exits 77
# (not run) when npm is missing, so that the client's test is reported as not run either.
#
#   install_client.sh NPM CLIENT_DIR
set -eu

npm=$1
client_dir=$2
[[ -x "$npm" ]] || { echo "npm is missing" >&2; exit 77; }
mkdir -p "$client_dir"
cp "$(dirname "$0")/package.json" "$(dirname "$0")/package-lock.json" "$client_dir"
cd "$client_dir"
"$npm" ci --no-audit --no-fund
