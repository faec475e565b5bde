#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins
  libhidapi-dev libudev-dev libxi-dev libx11-dev
  xvfb xdotool xauth fonts-liberation imagemagick ccache dbus-daemon libglib2.0-bin
  dpkg-dev desktop-file-utils appstream lintian bash-completion
)

# Where Node.js came from elsewhere (NodeSource's nodejs brings its own npm), Debian's npm package
# conflicts with it; the commands on PATH are what the SDK client test needs, whoever installed them.
declare -A commands=([node]=nodejs [npm]=npm)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
for c in "${!commands[@]}"; do
  command -v "$c" >/dev/null 2>&1 || missing+=("${commands[$c]}")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
