#!/usr/bin/env bash
# Start-up under each Windows version Wine can report: the NT family and the
# 9x family open the main dialog with its controls; an NT build below 1381
# and a platform of neither family are refused with their messages, and the
# main dialog never opens.
source "$(dirname "$0")/lib.sh"

opens_main_dialog() {
  start_tessera
  local controls
  controls=$(drive controls Tessera | iconv -f CP932 -t UTF-8)
  [ "$(grep -c . <<<"$controls")" -eq 15 ] && grep -q "^$IDCANCEL"$'\tButton\t.*\t何もしないで終了$' <<<"$controls" &&
    pass "$1: the main dialog opens with its 15 controls" || fail "$1: controls:"$'\n'"$controls"
  drive close Tessera
  expect_ended "$1: closing the dialog ends the program"
}

is_refused_with() {
  in_wine "C:\\Tessera\\$tessera_exe" &
  tessera_pid=$!
  expect_box "$tessera_caption" "$2" "$IDOK"
  expect_ended "$1: the program ends after the refusal"
  drive wait Tessera 0 && fail "$1: the main dialog opened after the refusal"
  return 0
}

opens_main_dialog "NT (Wine's default)"
set_windows_version win98
opens_main_dialog "Windows 98"
set_windows_version nt351
is_refused_with "NT 3.51" 'Windows NTの場合はVer4.0以上でしか動作しません。終了します。'
set_windows_version win31
is_refused_with "Win32s" 'OSがWindows9xかWindows NTではありません。終了します。'
finish
