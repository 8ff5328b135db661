#!/usr/bin/env bash
# Yes at the restart prompt: TESSERA.EXE enables the shutdown privilege and
# calls the real ExitWindowsEx(EWX_REBOOT). Wine then ends the session's
# programs and carries out the recorded renames (NT) or wininit.ini (9x) at
# once, as a restart would; the targets must then hold the new contents.
source "$(dirname "$0")/lib.sh"

# Waits up to 20 s for a Windows path to hold the bytes of another.
becomes() {
  for _ in $(seq 100); do same_bytes "$1" "$2" && return 0; sleep 0.2; done
  return 1
}

commit_with_restart() {
  local family=$1 name=$2 backup=$3
  put_file "C:\\src\\$name" "new $name for $family"
  put_file "C:\\target\\$name" "old $name for $family"
  start_tessera
  add_pair "C:\\src\\$name" 'C:\target'
  press "$IDOK"
  expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' "$IDYES"
  drive answer "$tessera_caption" "$IDOK" || fail "$family: no report"
  expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' "$IDYES"
  drive msgbox "$tessera_caption" 3000 >/dev/null && fail "$family: a failure message followed the restart request"
  expect_ended "$family: the program ends after the restart request"
  becomes "C:\\src\\$name" "C:\\target\\$name" && pass "$family: the restart put the new file in place" ||
    fail "$family: the target was not replaced"
  [ "$(cat "$(host_path "C:\\target\\$backup")")" == "old $name for $family" ] &&
    pass "$family: the backup holds the old file" || fail "$family: no backup"
}

commit_with_restart "NT" ALPHA.DLL ALPHA.DLL.old
set_windows_version win98
commit_with_restart "9x" BETA.DLL BETA.OLD
! exists 'C:\windows\wininit.ini' && pass "9x: wininit.ini was consumed" || fail "9x: wininit.ini is left"
finish
