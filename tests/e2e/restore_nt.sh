#!/usr/bin/env bash
# Putting a backup back on the NT family, in a folder whose name ends in the
# byte 0x5C (ソ): the backup is the file's name plus ".old".
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/restore_road.bash"
backup_of() { echo "$1.old"; }
restore_road 'C:\target\ソ'
finish
