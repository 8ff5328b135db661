#!/usr/bin/env bash
# Builds TESSERA.EXE and TESSERA64.EXE and runs under Wine the one this host
# can run: TESSERA.EXE where the host runs 32-bit code, else TESSERA64.EXE.
# With $DISPLAY set it opens there until you close it; without one it opens on
# a virtual display, a screenshot is saved, and the program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in win32 win64; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset --target tessera window_driver
done

# The folder to copy to a Windows machine.
dist=$PWD/build/dist
mkdir -p "$dist"
cp build/win32/TESSERA.EXE build/win64/TESSERA64.EXE res/help.htm res/help_en.htm "$dist/"
echo "Ready to copy to Windows: $dist (TESSERA.EXE: 32-bit Windows and 95/98/Me; TESSERA64.EXE: 64-bit Windows)"

read -r preset exe < <(scripts/host-build)
echo "Running $exe (the $preset build) under Wine"
build=$PWD/build/$preset
rig=$PWD/scripts/wine-rig
had_display=${DISPLAY:-}
"$rig" up "$build"
trap '"$rig" down "$build"' EXIT
prefix=$("$rig" clone "$build" run | tail -n 1)
mkdir -p "$prefix/drive_c/Tessera"
cp "$build/$exe" res/help.htm res/help_en.htm "$build/tests/e2e/window_driver.exe" "$prefix/drive_c/Tessera/"

if [ -n "$had_display" ]; then
  "$rig" exec "$prefix" wine "C:\\Tessera\\$exe"
  exit 0
fi

# The pointer waits in a corner, so that no tooltip covers the screenshot.
"$rig" exec "$prefix" wine 'C:\Tessera\window_driver.exe' pointer 0 0
"$rig" exec "$prefix" wine "C:\\Tessera\\$exe" &
pid=$!
"$rig" exec "$prefix" wine 'C:\Tessera\window_driver.exe' wait Tessera 30000
sleep 1
shot=$build/screenshots/run.png
mkdir -p "$(dirname "$shot")"
DISPLAY=$(cat "$build/wine/display") import -window root "$shot"
echo "No display was set: $exe ran on a virtual display. Screenshot: $shot"
"$rig" exec "$prefix" wine 'C:\Tessera\window_driver.exe' close Tessera
wait $pid || true
