#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that everything a desktop needs lands where
# it is looked for, and that nothing is installed outside the prefix.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

expected=(
  bin/n240qx
  bin/n240qx-ctl
  lib/udev/rules.d/70-n240qx.rules
  share/applications/n240qx.desktop
  share/metainfo/n240qx.metainfo.xml
  share/n240qx/png/english/main.png
  share/n240qx/png/german/main.png
  share/n240qx/png/english/kb_BK.png
  share/kwin/scripts/n240qx-active-window/metadata.json
  share/kwin/scripts/n240qx-active-window/contents/code/main.js
  share/gnome-shell/extensions/n240qx-active-window@n240qx.github.io/metadata.json
  share/gnome-shell/extensions/n240qx-active-window@n240qx.github.io/extension.js
)
status=0
for file in "${expected[@]}"; do
  if [ ! -e "$prefix/$file" ]; then
    echo "missing after install: $file"
    status=1
  fi
done
if ! find "$prefix/share/icons" -name 'n240qx.*' | grep -q .; then
  echo "missing after install: the application icon under share/icons"
  status=1
fi
# The installed program finds its skins through ../share/n240qx from bin/.
[ -d "$prefix/bin/../share/n240qx/png/english" ] || { echo "skins not beside bin/"; status=1; }
exit $status
