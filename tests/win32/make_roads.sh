#!/usr/bin/env bash
# Roads to the folders of the test machine, for the identity tests and the
# checks of what the restart meets: C:\roads\sub is also T:\ (a drive letter
# as a link in dosdevices), \\localhost\acc (a share as a link in
# dosdevices/unc) and C:\roads\link (a folder symbolic link); C:\roads\sib is
# a sibling that must stay another folder, and also N:\, a drive that Wine
# calls a network drive once the machine has restarted. Files with two
# names: C:\roads\sub\SYMBOLIC.DLL is a symbolic link to LINKED.DLL beside it
# (Wine shows it as a plain file), C:\roads\sub\inner\HARD.DLL a hard link to
# it (Wine gives a file the volume serial of the drive letter that leads to
# where it lies, so both names lie below T:).
# Names the code page cannot write, each beside its best-fit twin:
# C:\roads\Ünï and C:\roads\Uni, C:\roads\sub\ßeta.dll and seta.dll.
#   make_roads.sh BUILD window_driver.exe
set -euo pipefail
build=$1 driver=$2
rig=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-rig
prefix=$build/wine/default
roads=$prefix/drive_c/roads
mkdir -p "$roads/sub" "$roads/sib" "$prefix/dosdevices/unc/localhost"
ln -sfn sub "$roads/link"
ln -sfn ../drive_c/roads/sub "$prefix/dosdevices/t:"
ln -sfn ../drive_c/roads/sib "$prefix/dosdevices/n:"
ln -sfn "$roads/sub" "$prefix/dosdevices/unc/localhost/acc"
printf 'linked' >"$roads/sub/LINKED.DLL"
ln -sfn LINKED.DLL "$roads/sub/SYMBOLIC.DLL"
mkdir -p "$roads/sub/inner"
ln -f "$roads/sub/LINKED.DLL" "$roads/sub/inner/HARD.DLL"
mkdir -p "$roads/Ünï" "$roads/Uni"
printf 'unwritable' >"$roads/Ünï/X.DLL"
printf 'twin' >"$roads/Uni/X.DLL"
printf 'unwritable' >"$roads/sub/ßeta.dll"
printf 'twin' >"$roads/sub/seta.dll"
"$rig" reg "$prefix" add 'HKLM\Software\Wine\Drives' /v n: /d network /f
"$rig" restart "$prefix"
# The mount manager reads the value at the restart; a drive of another type
# would fail the identity tests for a reason that is not the program's.
type=$("$rig" exec "$prefix" wine "$driver" drivetype 'N:\' | tr -d '\r')
if [ "$type" != 4 ]; then
  echo "set-up fault: N:\\ is of drive type $type, not a network drive (4), after" \
    "HKLM\\Software\\Wine\\Drives n:=network was set in $prefix" >&2
  exit 3
fi
