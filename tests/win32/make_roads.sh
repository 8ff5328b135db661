#!/usr/bin/env bash
# Roads to one folder of a Wine machine, for the identity tests: C:\roads\sub
# is also T:\ (a drive letter as a link in dosdevices), \\localhost\acc (a
# share as a link in dosdevices/unc) and C:\roads\link (a folder symbolic
# link); C:\roads\sib is a sibling that must stay another folder.
#   make_roads.sh PREFIX
set -euo pipefail
prefix=$1
roads=$prefix/drive_c/roads
mkdir -p "$roads/sub" "$roads/sib" "$prefix/dosdevices/unc/localhost"
ln -sfn sub "$roads/link"
ln -sfn ../drive_c/roads/sub "$prefix/dosdevices/t:"
ln -sfn "$roads/sub" "$prefix/dosdevices/unc/localhost/acc"
