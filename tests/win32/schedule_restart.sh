#!/usr/bin/env bash
# What the schedulers record, carried out by restarts of an isolated Wine
# machine: plans scheduled with the real file services, then the machine
# restarted, then every file checked byte for byte from Linux. First the rig's
# restart (a new Wine session boots), for the NT family and for the 9x family
# (the probe's Windows version set to win98); then the real restart request,
# ExitWindowsEx(EWX_REBOOT), for both families.
set -euo pipefail
build=$1 probe=$2
rig=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-rig
prefix=$("$rig" clone "$build" schedule-restart | tail -n 1)
drive=$prefix/drive_c
saved=$prefix/saved  # every file's first bytes, kept outside the machine
cp "$probe" "$drive/schedule_probe.exe"
in_wine() { "$rig" exec "$prefix" wine "$@"; }
machine_reg() { "$rig" reg "$prefix" "$@"; }
probe() { in_wine 'C:\schedule_probe.exe' "$@"; }
failures=0
complain() { echo "FAIL: $*"; failures=$((failures + 1)); }
phase_failures=0
passed() {
  [ "$failures" -eq "$phase_failures" ] && echo "ok: $1" || echo "FAILED: $1"
  phase_failures=$failures
}

# The Windows form of a path relative to drive C.
win() { printf 'C:\\%s' "${1//\//\\}"; }
# Fresh random bytes in each file, kept in $saved under the same name.
fill() {
  local file
  for file; do
    mkdir -p "$(dirname "$drive/$file")" "$(dirname "$saved/$file")"
    head -c $((512 + RANDOM % 4096)) /dev/urandom >"$drive/$file"
    cp "$drive/$file" "$saved/$file"
  done
}
# holds FILE WHOSE: FILE holds, byte for byte, what WHOSE held when filled.
holds() { cmp -s "$drive/$1" "$saved/$2" || complain "$1 does not hold the bytes of $2"; }
absent() { [ ! -e "$drive/$1" ] || complain "$1 exists"; }

# Expected report blocks, in UTF-8; the header shows TARGET as given.
scheduled() { printf '%s\n → %s\n再起動後に置換されます．\n\n' "$(win "$1")" "$2"; }
already_queued() {
  printf '%s\n → %s\n%sは再起動時の処理にすでに予約されているため置換は予約されていません．\n\n' \
    "$(win "$1")" "$2" "$3"
}
copy_failed() {
  printf '%s\n → %s\n%sを%sにコピーするのに失敗しました．\n%sがすでにある可能性があります．\n\n' \
    "$(win "$1")" "$2" "$(win "$1")" "$3" "$3"
}
# schedule FAMILY SOURCE TARGET ...: the report must be what $prefix/expected holds.
schedule() {
  local family=$1 path args=()
  shift
  for path; do args+=("$(win "$path")"); done
  probe "$family" "${args[@]}" >"$prefix/report" || complain "$family: the probe failed"
  cmp -s "$prefix/report" <(iconv -f UTF-8 -t CP932 "$prefix/expected") ||
    complain "$family: the report was: $(iconv -f CP932 -t UTF-8 <"$prefix/report")"
}
short() { probe short "$(win "$1")" | iconv -f CP932 -t UTF-8; }
set_9x() { machine_reg add 'HKCU\Software\Wine\AppDefaults\schedule_probe.exe' /v Version /d win98 /f; }
set_nt() { machine_reg delete 'HKCU\Software\Wine\AppDefaults\schedule_probe.exe' /f >/dev/null 2>&1; }
# replaced TARGET BACKUP SOURCE: the source's bytes took the target's place, whose
# bytes are now the backup's.
replaced() { holds "$1" "$3"; holds "$2" "$1"; }

# --- NT family, the rig's restart ---
fill nt/src/STALE.DLL nt/src/FIRST.DLL nt/src/HOSTS nt/src/TOOL.DLL \
     nt/tgt/STALE.DLL nt/tgt/STALE.DLL.new nt/tgt/FIRST.DLL nt/tgt/HOSTS nt/ソフト/TOOL.DLL
{
  copy_failed nt/src/STALE.DLL "$(win nt/tgt/STALE.DLL)" "$(win nt/tgt/STALE.DLL.new)"
  scheduled nt/src/FIRST.DLL "$(win nt/tgt/FIRST.DLL)"
  scheduled nt/src/HOSTS "$(win nt/tgt/HOSTS)"
  scheduled nt/src/TOOL.DLL "$(win nt/ソフト/TOOL.DLL)"
} >"$prefix/expected"
schedule nt nt/src/STALE.DLL nt/tgt/STALE.DLL nt/src/FIRST.DLL nt/tgt/FIRST.DLL \
            nt/src/HOSTS nt/tgt/HOSTS nt/src/TOOL.DLL nt/ソフト/TOOL.DLL
holds nt/tgt/FIRST.DLL nt/tgt/FIRST.DLL  # nothing moves before the restart
"$rig" restart "$prefix"
holds nt/tgt/STALE.DLL nt/tgt/STALE.DLL
holds nt/tgt/STALE.DLL.new nt/tgt/STALE.DLL.new
absent nt/tgt/STALE.DLL.old
for target in nt/tgt/FIRST.DLL nt/tgt/HOSTS nt/ソフト/TOOL.DLL; do
  replaced "$target" "$target.old" "nt/src/$(basename "$target")"
  absent "$target.new"
done
passed "NT family through the rig's restart"

# --- NT family, targets of 256 and 259 bytes ---
# MoveFileExA takes no source name over 259 bytes: the staged copy's rename
# would fail and the target would be left under its backup name. Refused
# before anything is staged, they stay as they were through the restart.
too_long() {
  printf '%s\n → %s\n%s.newは259文字を超えるため、再起動時の処理では扱えません．\n' \
    "$(win "$1")" "$(win "$2")" "$(win "$2")"
  printf '置換は予約されていません．途中のフォルダの名前を短くしてから、もう一度追加してください．\n\n'
}
long256=$(printf 'L%.0s' $(seq 247))/X.DLL long259=$(printf 'M%.0s' $(seq 250))/X.DLL
fill long/X.DLL "$long256" "$long259"
{ too_long long/X.DLL "$long256"; too_long long/X.DLL "$long259"; } >"$prefix/expected"
schedule nt long/X.DLL "$long256" long/X.DLL "$long259"
"$rig" restart "$prefix"
for target in "$long256" "$long259"; do
  holds "$target" "$target"
  absent "$target.new"
  absent "$target.old"
done
passed "NT family: targets of 256 and 259 bytes refused, untouched by the restart"

# --- NT family, a second commit while the first one's renames are queued ---
# T is committed twice; U too, after its staged copy was deleted. Without the
# guard U's second commit would be staged and recorded again, and the restart
# would overwrite U's backup with a new file: the original lost.
fill twice/src1/T.DLL twice/src2/T.DLL twice/tgt/T.DLL twice/src1/U.DLL twice/src2/U.DLL \
     twice/tgt/U.DLL
{
  scheduled twice/src1/T.DLL "$(win twice/tgt/T.DLL)"
  scheduled twice/src1/U.DLL "$(win twice/tgt/U.DLL)"
} >"$prefix/expected"
schedule nt twice/src1/T.DLL twice/tgt/T.DLL twice/src1/U.DLL twice/tgt/U.DLL
rm "$drive/twice/tgt/U.DLL.new"
queued() {
  printf '%s\n → %s\n%sは再起動時の処理にすでに予約されているため置換は予約されていません．\n\n' \
    "$(win "$1")" "$(win "$2")" "$(win "$2")"
}
{ queued twice/src2/T.DLL twice/tgt/T.DLL; queued twice/src2/U.DLL twice/tgt/U.DLL; } >"$prefix/expected"
schedule nt twice/src2/T.DLL twice/tgt/T.DLL twice/src2/U.DLL twice/tgt/U.DLL
absent twice/tgt/U.DLL.new
"$rig" restart "$prefix"
# The first commit's replacement only: the first new file, the original as backup.
holds twice/tgt/T.DLL twice/src1/T.DLL
holds twice/tgt/T.DLL.old twice/tgt/T.DLL
holds twice/tgt/U.DLL.old twice/tgt/U.DLL
passed "NT family: a second commit of a queued target is refused, the first one stands"

# --- 9x family, the rig's restart ---
set_9x
fill 9x/src/STALE.DLL 9x/src/FIRST.DLL 9x/src/FOO.DLL 9x/src/FOO.EXE 9x/src/HOSTS 9x/src/ABC \
     9x/src/TOOL.DLL 9x/tgt/STALE.DLL 9x/tgt/STALE.NEW 9x/tgt/FIRST.DLL 9x/tgt/FOO.DLL \
     9x/tgt/FOO.EXE 9x/tgt/HOSTS 9x/tgt/ABC 9x/ソフト/TOOL.DLL
{
  copy_failed 9x/src/STALE.DLL "$(win 9x/tgt/STALE.DLL)" "$(win 9x/tgt/STALE.NEW)"
  scheduled 9x/src/FIRST.DLL "$(win 9x/tgt/FIRST.DLL)"
  scheduled 9x/src/FOO.DLL "$(win 9x/tgt/FOO.DLL)"
  # FOO.EXE's staged copy would be FOO.DLL's: refused before its copy.
  already_queued 9x/src/FOO.EXE "$(win 9x/tgt/FOO.EXE)" "$(win 9x/tgt/FOO.NEW)"
  scheduled 9x/src/HOSTS "$(win 9x/tgt/HOSTS)"
  scheduled 9x/src/ABC "$(win 9x/tgt/ABC)"
  # Wine gives a folder named in Japanese a hash-style short name.
  scheduled 9x/src/TOOL.DLL "$(short 9x/ソフト/TOOL.DLL)"
} >"$prefix/expected"
schedule 9x 9x/src/STALE.DLL 9x/tgt/STALE.DLL 9x/src/FIRST.DLL 9x/tgt/FIRST.DLL \
            9x/src/FOO.DLL 9x/tgt/FOO.DLL 9x/src/FOO.EXE 9x/tgt/FOO.EXE 9x/src/HOSTS 9x/tgt/HOSTS \
            9x/src/ABC 9x/tgt/ABC 9x/src/TOOL.DLL 9x/ソフト/TOOL.DLL
[ -f "$drive/windows/wininit.ini" ] || complain "no wininit.ini was written"
"$rig" restart "$prefix"
holds 9x/tgt/STALE.DLL 9x/tgt/STALE.DLL
holds 9x/tgt/STALE.NEW 9x/tgt/STALE.NEW
absent 9x/tgt/STALE.OLD
holds 9x/tgt/FOO.EXE 9x/tgt/FOO.EXE
replaced 9x/tgt/FIRST.DLL 9x/tgt/FIRST.OLD 9x/src/FIRST.DLL
replaced 9x/tgt/FOO.DLL 9x/tgt/FOO.OLD 9x/src/FOO.DLL
replaced 9x/tgt/HOSTS 9x/tgt/H.OLD 9x/src/HOSTS
replaced 9x/tgt/ABC 9x/tgt/ABC.OLD 9x/src/ABC
replaced 9x/ソフト/TOOL.DLL 9x/ソフト/TOOL.OLD 9x/src/TOOL.DLL
for staged in 9x/tgt/FIRST.NEW 9x/tgt/FOO.NEW 9x/tgt/H.NEW 9x/tgt/ABC.NEW 9x/ソフト/TOOL.NEW; do
  absent "$staged"
done
absent windows/wininit.ini
[ -f "$drive/windows/wininit.bak" ] || complain "wininit.ini was not consumed"
passed "9x family through the rig's restart"

# --- 9x family, a target with a long file name ---
# The 9x start-up knows only the short name: the new file would be left under
# it, and nothing would answer to the long name. Refused, the file keeps both.
fill 9x/src/LongTargetName.dll 9x/long/LongTargetName.dll
short_target=$(short 9x/long/LongTargetName.dll)
{
  printf '%s\n → %s\n' "$(win 9x/src/LongTargetName.dll)" "$short_target"
  printf '%sは長いファイル名のため、9x系の起動処理では置き換えられません(短い名前%sしか扱えません)．\n' \
    "$(win 9x/long/LongTargetName.dll)" "$short_target"
  printf '置換は予約されていません．MS-DOSモードで起動し、%sに上書きコピーしてください．\n\n' "$short_target"
} >"$prefix/expected"
rm -f "$drive/windows/wininit.bak"
schedule 9x 9x/src/LongTargetName.dll 9x/long/LongTargetName.dll
absent windows/wininit.ini
"$rig" restart "$prefix"
holds 9x/long/LongTargetName.dll 9x/long/LongTargetName.dll
[ "$(ls "$drive/9x/long")" == LongTargetName.dll ] || complain "9x/long holds: $(ls "$drive/9x/long")"
passed "9x family: a long file name refused, the file keeps its name through the restart"

# --- the real restart request ---
# Wine's ExitWindowsEx(EWX_REBOOT) starts "wineboot --end-session": programs with
# windows are asked to end, then the same session carries out wininit.ini and
# the pending renames as a boot does. The request returns at once, so wait.
restarts_into() {
  local family=$1 target=$2 source=$3 output i
  output=$(probe restart "$family") || complain "$family: the restart probe failed"
  [ -z "$output" ] || complain "$family: the restart request showed: $(iconv -f CP932 -t UTF-8 <<<"$output")"
  for i in $(seq 60); do
    cmp -s "$drive/$target" "$saved/$source" && return 0
    sleep 0.5
  done
  complain "$family: $target was not replaced after the restart request"
}
rm -f "$drive/windows/wininit.bak"
fill exit9x/src/REAL.DLL exit9x/tgt/REAL.DLL
scheduled exit9x/src/REAL.DLL "$(win exit9x/tgt/REAL.DLL)" >"$prefix/expected"
schedule 9x exit9x/src/REAL.DLL exit9x/tgt/REAL.DLL
restarts_into 9x exit9x/tgt/REAL.DLL exit9x/src/REAL.DLL
replaced exit9x/tgt/REAL.DLL exit9x/tgt/REAL.OLD exit9x/src/REAL.DLL
[ -f "$drive/windows/wininit.bak" ] || complain "the restart request did not consume wininit.ini"
passed "9x family through ExitWindowsEx"

set_nt
fill exitnt/src/REAL.DLL exitnt/tgt/REAL.DLL
scheduled exitnt/src/REAL.DLL "$(win exitnt/tgt/REAL.DLL)" >"$prefix/expected"
schedule nt exitnt/src/REAL.DLL exitnt/tgt/REAL.DLL
restarts_into nt exitnt/tgt/REAL.DLL exitnt/src/REAL.DLL
replaced exitnt/tgt/REAL.DLL exitnt/tgt/REAL.DLL.old exitnt/src/REAL.DLL
passed "NT family through the privilege step and ExitWindowsEx"

if [ "$failures" -eq 0 ]; then "$rig" remove "$prefix"; else "$rig" exec "$prefix" wineserver -k 2>/dev/null || true; fi
[ "$failures" -eq 0 ]
