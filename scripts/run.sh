#!/usr/bin/env bash
# Builds TESSERA.EXE and runs it under Wine. With $DISPLAY set it opens there
# until you close it; without one it opens on a virtual display, a screenshot
# is saved, and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target tessera window_driver
build=$PWD/build/win32
rig=$PWD/scripts/wine-rig

# The folder to copy to a Windows machine.
dist=$build/dist
mkdir -p "$dist"
cp "$build/TESSERA.EXE" "$dist/"
cp res/help.htm "$dist/"

had_display=${DISPLAY:-}
"$rig" up "$build"
trap '"$rig" down "$build"' EXIT
prefix=$("$rig" clone "$build" run | tail -n 1)
mkdir -p "$prefix/drive_c/Tessera"
cp "$dist"/* "$build/tests/e2e/window_driver.exe" "$prefix/drive_c/Tessera/"

echo "Ready to copy to Windows: $dist"
if [ -n "$had_display" ]; then
  "$rig" exec "$prefix" wine 'C:\Tessera\TESSERA.EXE'
  exit 0
fi

# The pointer waits in a corner, so that no tooltip covers the screenshot.
"$rig" exec "$prefix" wine 'C:\Tessera\window_driver.exe' pointer 0 0
"$rig" exec "$prefix" wine 'C:\Tessera\TESSERA.EXE' &
pid=$!
"$rig" exec "$prefix" wine 'C:\Tessera\window_driver.exe' wait Tessera 30000
sleep 1
shot=$build/screenshots/run.png
mkdir -p "$(dirname "$shot")"
DISPLAY=$(cat "$build/wine/display") import -window root "$shot"
echo "No display was set: Tessera ran on a virtual display. Screenshot: $shot"
"$rig" exec "$prefix" wine 'C:\Tessera\window_driver.exe' close Tessera
wait $pid || true
