#!/usr/bin/env bash
# The real TESSERA.EXE at start-up under each Windows version Wine can report:
# the NT family and the 9x family open the main dialog, an NT build below
# 1381 and a platform of neither family are refused with their messages.
set -euo pipefail
build=$1 exe=$2 driver=$3
rig=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-rig
prefix=$("$rig" clone "$build" startup-gate | tail -n 1)
mkdir -p "$prefix/drive_c/tessera"
cp "$exe" "$driver" "$prefix/drive_c/tessera/"
in_wine() { "$rig" exec "$prefix" wine "$@"; }
drive() { in_wine 'C:\tessera\window_driver.exe' "$@"; }
cp932() { printf '%b' "$1" | iconv -f UTF-8 -t CP932; }
fail=0
complain() { echo "FAIL: $*"; fail=1; }

set_version() {
  in_wine reg add 'HKCU\Software\Wine\AppDefaults\TESSERA.EXE' /v Version /d "$1" /f >/dev/null 2>&1
}

opens_main_dialog() {
  local version=$1
  in_wine 'C:\tessera\TESSERA.EXE' & local pid=$!
  if drive wait Tessera 30000; then
    local controls
    controls=$(drive controls Tessera)
    [ "$(grep -c . <<<"$controls")" -eq 15 ] || complain "$version: expected 15 controls"
    grep -q "^1000	Edit	" <<<"$controls" || complain "$version: no source field"
    grep -qF "$(cp932 '2\tButton\t')" <<<"$controls" || complain "$version: no cancel button"
    grep -qF "$(cp932 '何もしないで終了')" <<<"$controls" || complain "$version: cancel text"
    drive close Tessera
    echo "ok: $version opens the main dialog"
  else
    complain "$version: the main dialog did not open"
  fi
  timeout 20 tail --pid=$pid -f /dev/null || complain "$version: did not end"
}

is_refused_with() {
  local version=$1 expected=$2
  in_wine 'C:\tessera\TESSERA.EXE' & local pid=$!
  local text
  if text=$(drive msgbox TESSERA 30000); then
    [ "$text" == "$(cp932 "$expected")" ] || complain "$version: message was $(iconv -f CP932 <<<"$text")"
    drive answer TESSERA 1
    echo "ok: $version is refused"
  else
    complain "$version: no refusal shown"
  fi
  timeout 20 tail --pid=$pid -f /dev/null || complain "$version: did not end"
  drive wait Tessera 0 && complain "$version: the main dialog opened after the refusal"
  return 0
}

opens_main_dialog "default (NT family)"
set_version win98
opens_main_dialog win98
set_version nt351
is_refused_with nt351 'Windows NTの場合はVer4.0以上でしか動作しません。終了します。'
set_version win31
is_refused_with win31 'OSがWindows9xかWindows NTではありません。終了します。'
exit $fail
