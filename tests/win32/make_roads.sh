#!/usr/bin/env bash
# Roads to the folders of the test machine, for the identity tests and the
# checks of what the restart meets: C:\roads\sub is also T:\ (a drive letter
# as a link in dosdevices), \\localhost\acc (a share as a link in
# dosdevices/unc) and C:\roads\link (a folder symbolic link); C:\roads\sib is
# a sibling that must stay another folder, and also N:\, a drive that Wine
# calls a network drive once the machine has restarted.
#   make_roads.sh BUILD
set -euo pipefail
build=$1
rig=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-rig
prefix=$build/wine/default
roads=$prefix/drive_c/roads
mkdir -p "$roads/sub" "$roads/sib" "$prefix/dosdevices/unc/localhost"
ln -sfn sub "$roads/link"
ln -sfn ../drive_c/roads/sub "$prefix/dosdevices/t:"
ln -sfn ../drive_c/roads/sib "$prefix/dosdevices/n:"
ln -sfn "$roads/sub" "$prefix/dosdevices/unc/localhost/acc"
"$rig" exec "$prefix" wine reg add 'HKLM\Software\Wine\Drives' /v n: /d network /f >/dev/null 2>&1
"$rig" restart "$prefix"
