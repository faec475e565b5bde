#!/usr/bin/env bash
# Builds the Debian package from the build folder, checks it with lintian and for the files a
# desktop needs, installs it into this machine, runs the installed n240qx-ctl on the simulator
# and removes the package again. Installing needs root, so elsewhere the test is skipped
# (exit 77); CI runs it as root on a throwaway machine.
set -euo pipefail
build_dir=$1
version=$2

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing the package with dpkg needs root"
  exit 77
fi
for tool in cpack dpkg-shlibdeps lintian dpkg-deb flock; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh"; exit 1; }
done

work=$(mktemp -d)
installed=0
cleanup() {
  [ $installed -eq 1 ] && dpkg -r n240qx >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$build_dir" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/n240qx_*.deb)
[ -f "$deb" ] || { echo "cpack made no n240qx_*.deb"; cat "$work/cpack.log"; exit 1; }

status=0
fail() { echo "$*"; status=1; }

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries"
# The menu entry, its icon and the AppStream file carry the window's session bus name.
app_id=io.github.n240qx.Configurator
contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
for file in usr/bin/n240qx usr/bin/n240qx-ctl usr/share/n240qx/VER.bin \
  usr/share/n240qx/png/english/main.png usr/share/n240qx/png/german/main.png \
  usr/lib/udev/rules.d/70-n240qx.rules usr/share/applications/$app_id.desktop \
  usr/share/metainfo/$app_id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$app_id.svg \
  usr/share/man/man1/n240qx.1 usr/share/man/man1/n240qx-ctl.1 \
  usr/share/bash-completion/completions/n240qx-ctl; do
  grep -qE "^\./${file}(\.gz)?$" <<<"$contents" || fail "the package lacks $file"
done

# Errors fail the test; warnings are shown and allowed.
lintian --fail-on error "$deb" || fail "lintian reports errors"

# Two engineers' test runs on one machine take turns at dpkg.
exec 9>/tmp/n240qx-package-test.lock
flock 9
if dpkg-query -W -f='${Status}' n240qx 2>/dev/null | grep -q 'install ok installed'; then
  echo "skipped: an n240qx package is installed on this machine already; it is left alone"
  exit 77
fi
dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
installed=1
[ "$(/usr/bin/n240qx-ctl --version)" = "n240qx-ctl $version" ] || fail "installed n240qx-ctl --version differs"
# Without a display: the window program answers before it needs one.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/n240qx --version)" = "n240qx $version" ] ||
  fail "installed n240qx --version differs"
out=$(/usr/bin/n240qx-ctl --simulate --data-dir "$work/data" status) || fail "installed status failed"
grep -q "found" <<<"$out" || fail "installed status says: $out"
grep -q "/usr/share/n240qx/VER.bin" <<<"$out" || fail "installed status does not read /usr/share/n240qx/VER.bin: $out"
dpkg -r n240qx >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
installed=0
[ ! -e /usr/bin/n240qx-ctl ] || fail "dpkg -r left /usr/bin/n240qx-ctl behind"
exit $status
