#!/usr/bin/env bash
# Screenshots of the real TESSERA.EXE on the rig's virtual desktop, saved to
# BUILD/screenshots/ for a person to look at: the main dialog holding a plan of
# two rows, and the About box over it. What a picture cannot prove is checked
# here: both rows are in the list.
set -euo pipefail
build=$1 exe=$2 driver=$3
rig=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-rig
prefix=$("$rig" clone "$build" screenshots | tail -n 1)
shots=$build/screenshots
mkdir -p "$shots"
in_wine() { "$rig" exec "$prefix" wine "$@"; }
drive() { in_wine 'C:\tessera\window_driver.exe' "$@"; }
fail=0
complain() { echo "FAIL: $*"; fail=1; }

# A plan of two pairs: a library with a version record (the program's own)
# and a driver with a Japanese name and none.
tool=$prefix/drive_c/tessera
mkdir -p "$tool/新版" "$tool/system"
cp "$exe" "$driver" "$build/help.htm" "$tool/"
cp "$exe" "$tool/新版/FOO.DLL"
cp "$exe" "$tool/system/FOO.DLL"
printf 'new' >"$tool/新版/表示.SYS"
printf 'old' >"$tool/system/表示.SYS"

display=$(cat "$build/wine/display")
# Park the pointer in a corner, so that no tooltip covers what is shown.
park_pointer() {
  DISPLAY=$display python3 - <<'PY'
import ctypes
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)
x11.XWarpPointer.argtypes = ([ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 2
                         + [ctypes.c_uint] * 2 + [ctypes.c_int] * 2)
x11.XWarpPointer(display, 0, root, 0, 0, 0, 0, 1, 1)
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay(display)
PY
}
shoot() {
  sleep 1
  DISPLAY=$display import -window root "$shots/$1"
  # A blank or nearly blank picture shows nothing worth looking at.
  local colours
  colours=$(convert "$shots/$1" -format %k info:)
  [ "$colours" -gt 16 ] || complain "$1 has only $colours colours"
  echo "saved $shots/$1"
}

park_pointer
in_wine 'C:\tessera\TESSERA.EXE' >/dev/null 2>&1 & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
drive wait Tessera 30000 || { complain "the main dialog did not open"; exit 1; }
# Wine reads a program's arguments as UTF-8 and hands them on in code page 932.
drive settext Tessera 1001 'C:\tessera\system'
for name in FOO.DLL 表示.SYS; do
  drive settext Tessera 1000 "C:\\tessera\\新版\\$name"
  drive click Tessera 1002
  sleep 0.5
done
rows=$(drive rows Tessera 1008)
[ "$(grep -c . <<<"$rows")" -eq 2 ] || complain "expected two rows, got: $(iconv -f CP932 <<<"$rows")"
shoot main-two-rows.png

drive click Tessera 1007
# The driver takes a classic template's control -1 for a message box's text,
# so it finds and answers the About box as it would a message box.
if drive msgbox 'About Tessera' 10000 >/dev/null; then
  shoot about.png
  drive answer 'About Tessera' 1
else
  complain "the About box did not open"
fi
drive close Tessera
timeout 20 tail --pid=$pid -f /dev/null || complain "TESSERA.EXE did not end"
exit $fail
