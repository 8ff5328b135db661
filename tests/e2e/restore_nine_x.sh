#!/usr/bin/env bash
# Putting a backup back on the 9x family (Windows 98 for the program): the
# backup is the short name with its last four bytes replaced by ".OLD". The
# folder and names are 8.3 already, so the short forms are the paths shown.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/restore_road.bash"
set_windows_version win98
backup_of() { echo "${1%????}.OLD"; }
restore_road 'C:\TARGET'
finish
