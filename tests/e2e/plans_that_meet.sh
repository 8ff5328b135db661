#!/usr/bin/env bash
# Entries of one plan whose names meet: on NT a file and the file under its
# backup name (X.DLL with X.DLL.old), also when the two reach their folder by
# other roads (a second drive letter, \\?\) or spell it in other letter case
# (ＸＸ, ｘｘ); on 9x a file and the file under its short backup name (FOO.DLL
# with FOO.OLD). The entry whose backup rename would overwrite another target
# is refused; so is one whose folder another program's records move away,
# and one whose names would be too long for the restart.
# After each restart every original byte is still in a file and every target
# is there under its own name.
source "$(dirname "$0")/lib.sh"

# Commits the plan of the given sources into one folder and answers the report.
commit_plan() {
  local folder=$1 report=$2 source
  shift 2
  start_tessera
  for source; do add_pair "$source" "$folder"; done
  commit_started "$report"
}

# Commits the plan that the running program holds and answers the report.
commit_started() {
  local report=$1
  press 1
  expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' 6
  expect_box "$tessera_caption" "$report" 1 "${e2e_family}-report"
  expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' 7
  expect_ended "the $e2e_family plan was committed"
}

# holds PATH TEXT: the file holds exactly TEXT.
holds() { [ -f "$(host_path "$1")" ] && [ "$(cat "$(host_path "$1")")" == "$2" ]; }

done_text='再起動後に置換されます．'
queued_text='は再起動時の処理にすでに予約されているため置換は予約されていません．'

e2e_family=nt
for name in X.DLL X.DLL.old; do
  put_file "C:\\s\\$name" "new $name"
  put_file "C:\\m\\$name" "old $name"
done
commit_plan 'C:\m' "C:\\s\\X.DLL
 → C:\\m\\X.DLL
C:\\m\\X.DLL.old$queued_text

C:\\s\\X.DLL.old
 → C:\\m\\X.DLL.old
$done_text

" 'C:\s\X.DLL' 'C:\s\X.DLL.old'
! exists 'C:\m\X.DLL.new' && pass "the refused entry's staged copy was taken back" ||
  fail "C:\\m\\X.DLL.new was left behind"
restart_machine
holds 'C:\m\X.DLL' 'old X.DLL' && holds 'C:\m\X.DLL.old' 'new X.DLL.old' &&
  holds 'C:\m\X.DLL.old.old' 'old X.DLL.old' &&
  pass "NT: every original byte is in a file, the scheduled entry replaced" ||
  fail "NT after the restart: $(cd "$(host_path 'C:\m')" && grep -H . ./*)"

# Drive T: leads to C:\r, as a second drive letter does.
mkdir -p "$(host_path 'C:\r')"
ln -sfn ../drive_c/r "$prefix/dosdevices/t:"
for name in X.DLL X.DLL.old ＸＸ.DLL ＸＸ.DLL.old; do put_file "C:\\r\\$name" "old $name"; done
for name in X.DLL X.DLL.old ＸＸ.DLL ｘｘ.DLL.old; do put_file "C:\\s2\\$name" "new $name"; done
start_tessera
add_pair 'C:\s2\X.DLL' 'C:\r'
add_pair 'C:\s2\X.DLL.old' 'T:\'
add_pair 'C:\s2\ＸＸ.DLL' '\\?\C:\r'
add_pair 'C:\s2\ｘｘ.DLL.old' 'C:\r'
commit_started "C:\\s2\\X.DLL
 → C:\\r\\X.DLL
C:\\r\\X.DLL.old$queued_text

C:\\s2\\X.DLL.old
 → T:\\X.DLL.old
$done_text

C:\\s2\\ＸＸ.DLL
 → \\\\?\\C:\\r\\ＸＸ.DLL
\\\\?\\C:\\r\\ＸＸ.DLL.old$queued_text

C:\\s2\\ｘｘ.DLL.old
 → C:\\r\\ｘｘ.DLL.old
$done_text

"
restart_machine
holds 'C:\r\X.DLL' 'old X.DLL' && holds 'C:\r\X.DLL.old' 'new X.DLL.old' &&
  holds 'C:\r\X.DLL.old.old' 'old X.DLL.old' && holds 'C:\r\ＸＸ.DLL' 'old ＸＸ.DLL' &&
  holds 'C:\r\ＸＸ.DLL.old' 'new ｘｘ.DLL.old' && holds 'C:\r\ＸＸ.DLL.old.old' 'old ＸＸ.DLL.old' &&
  [ "$(ls "$(host_path 'C:\r')" | wc -l)" -eq 6 ] &&
  pass "NT, one folder by three roads: every original byte is in a file, every target in place" ||
  fail "NT, three roads, after the restart: $(cd "$(host_path 'C:\r')" && grep -H . ./*)"

# Another program's records move C:\app away and put C:\app.ins in its place.
# In the same plan, a target of 256 bytes: its staged copy's name would be
# too long for the restart.
long_folder="C:\\$(printf 'Folder %03d ' $(seq 30) | cut -c1-246)Z"
put_file 'C:\app\Y.DLL' 'old Y.DLL'
put_file 'C:\app.ins\Y.DLL' 'installed Y.DLL'
put_file 'C:\n3\Z.DLL' 'old Z.DLL'
put_file "$long_folder\\X.DLL" 'old long X.DLL'
for name in Y.DLL Z.DLL X.DLL; do put_file "C:\\s3\\$name" "new $name"; done
machine_reg add 'HKLM\System\CurrentControlSet\Control\Session Manager' \
  /v PendingFileRenameOperations /t REG_MULTI_SZ /f /d \
  '\??\C:\app\0\??\C:\app.bak\0\??\C:\app.ins\0\??\C:\app'
start_tessera
add_pair 'C:\s3\Y.DLL' 'C:\app'
add_pair 'C:\s3\Z.DLL' 'C:\n3'
add_pair 'C:\s3\X.DLL' "$long_folder"
commit_started "C:\\s3\\Y.DLL
 → C:\\app\\Y.DLL
C:\\app$queued_text

C:\\s3\\Z.DLL
 → C:\\n3\\Z.DLL
$done_text

C:\\s3\\X.DLL
 → $long_folder\\X.DLL
$long_folder\\X.DLL.newは259文字を超えるため、再起動時の処理では扱えません．
置換は予約されていません．途中のフォルダの名前を短くしてから、もう一度追加してください．

"
restart_machine
holds 'C:\app.bak\Y.DLL' 'old Y.DLL' && holds 'C:\app\Y.DLL' 'installed Y.DLL' &&
  ! exists 'C:\app.bak\Y.DLL.new' && ! exists 'C:\app\Y.DLL.old' &&
  holds 'C:\n3\Z.DLL' 'new Z.DLL' && holds 'C:\n3\Z.DLL.old' 'old Z.DLL' &&
  holds "$long_folder\\X.DLL" 'old long X.DLL' && [ "$(ls "$(host_path "$long_folder")")" == X.DLL ] &&
  pass "NT, a folder moved by another program, a name too long: both refused, the other replaced" ||
  fail "NT, folder moved, after the restart: $(cd "$(host_path 'C:\')" && grep -rH . app app.bak n3)"

e2e_family=9x
set_windows_version win98
for name in FOO.DLL FOO.OLD BAR.DLL; do
  put_file "C:\\s9\\$name" "new $name"
  put_file "C:\\n\\$name" "old $name"
done
commit_plan 'C:\n' "C:\\s9\\FOO.DLL
 → C:\\n\\FOO.DLL
C:\\n\\FOO.OLD$queued_text

C:\\s9\\FOO.OLD
 → C:\\n\\FOO.OLD
C:\\n\\FOO.OLDをバックアップに使えないため置換は予約されていません．

C:\\s9\\BAR.DLL
 → C:\\n\\BAR.DLL
$done_text

" 'C:\s9\FOO.DLL' 'C:\s9\FOO.OLD' 'C:\s9\BAR.DLL'
! exists 'C:\n\FOO.NEW' && pass "the refused entry's staged copy was taken back" ||
  fail "C:\\n\\FOO.NEW was left behind"
restart_machine
holds 'C:\n\FOO.DLL' 'old FOO.DLL' && holds 'C:\n\FOO.OLD' 'old FOO.OLD' &&
  holds 'C:\n\BAR.DLL' 'new BAR.DLL' && holds 'C:\n\BAR.OLD' 'old BAR.DLL' &&
  pass "9x: every original byte is in a file, the scheduled entry replaced" ||
  fail "9x after the restart: $(cd "$(host_path 'C:\n')" && grep -H . ./*)"
finish
