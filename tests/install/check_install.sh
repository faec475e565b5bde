#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that everything a desktop needs lands where
# it is looked for, and that nothing is installed outside the prefix.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

# The menu entry, its icon and the AppStream file carry the window's session bus name.
app_id=io.github.n240qx.Configurator
expected=(
  bin/n240qx
  bin/n240qx-ctl
  lib/udev/rules.d/70-n240qx.rules
  share/applications/$app_id.desktop
  share/metainfo/$app_id.metainfo.xml
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
# The icon the menu entry names, and the entry the AppStream file launches.
icon=$(sed -n 's/^Icon=//p' "$prefix/share/applications/$app_id.desktop")
if [ "$icon" != "$app_id" ] || ! find "$prefix/share/icons" -name "$icon.*" | grep -q .; then
  echo "missing after install: the application icon $icon under share/icons"
  status=1
fi
if ! grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  "$prefix/share/metainfo/$app_id.metainfo.xml"; then
  echo "the AppStream file does not launch $app_id.desktop"
  status=1
fi
# The installed program finds its skins through ../share/n240qx from bin/.
[ -d "$prefix/bin/../share/n240qx/png/english" ] || { echo "skins not beside bin/"; status=1; }
exit $status
