#!/usr/bin/env bash
# The road of a replacement on the 9x family (Windows 98 for TESSERA.EXE):
# short names, staged .NEW copies and wininit.ini rename lines; then a restart
# of the Wine machine processes wininit.ini as the 9x start-up does, and the
# next start finds the entries done.
source "$(dirname "$0")/lib.sh"
set_windows_version win98

mkdir -p "$(host_path 'C:\target\ソフト')"
for name in ALPHA.DLL FOO.DLL FOO.EXE HOSTS; do
  put_file "C:\\src\\$name" "new $name"
  put_file "C:\\target\\$name" "old $name"
done
put_file 'C:\src\BETA.SYS' 'new BETA.SYS'
put_file 'C:\target\ソフト\BETA.SYS' 'old BETA.SYS'
beta_short=$(drive shortpath 'C:\target\ソフト\BETA.SYS' | iconv -f CP932 -t UTF-8)
beta_base=${beta_short%????}

start_tessera
for name in ALPHA.DLL FOO.DLL FOO.EXE HOSTS; do add_pair "C:\\src\\$name" 'C:\target'; done
add_pair 'C:\src\BETA.SYS' 'C:\target\ソフト'
[ "$(list_rows | wc -l)" -eq 5 ] && pass "five entries in the plan" || fail "rows: $(list_rows)"
screenshot plan

press "$IDOK"
expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' "$IDYES"
done_text='再起動後に置換されます．'
expect_box "$tessera_caption" "C:\\src\\ALPHA.DLL
 → C:\\target\\ALPHA.DLL
$done_text

C:\\src\\FOO.DLL
 → C:\\target\\FOO.DLL
$done_text

C:\\src\\FOO.EXE
 → C:\\target\\FOO.EXE
C:\\target\\FOO.NEWは再起動時の処理にすでに予約されているため置換は予約されていません．

C:\\src\\HOSTS
 → C:\\target\\HOSTS
$done_text

C:\\src\\BETA.SYS
 → $beta_short
$done_text

" "$IDOK" report
expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' "$IDNO" restart-prompt
expect_ended "the dialog closes after the restart prompt"

# Before the restart: the staged copies under the NEW names and the rename lines.
same_bytes 'C:\src\FOO.DLL' 'C:\target\FOO.NEW' && same_bytes 'C:\src\HOSTS' 'C:\target\H.NEW' &&
  same_bytes 'C:\src\ALPHA.DLL' 'C:\target\ALPHA.NEW' && pass "staged copies under the NEW names" ||
  fail "staged copies"
expected_ini="[rename]
C:\\target\\ALPHA.OLD=C:\\target\\ALPHA.DLL
C:\\target\\ALPHA.DLL=C:\\target\\ALPHA.NEW
C:\\target\\FOO.OLD=C:\\target\\FOO.DLL
C:\\target\\FOO.DLL=C:\\target\\FOO.NEW
C:\\target\\H.OLD=C:\\target\\HOSTS
C:\\target\\HOSTS=C:\\target\\H.NEW
$beta_base.OLD=$beta_short
$beta_short=$beta_base.NEW"
ini=$(host_path 'C:\windows\wininit.ini')
[ "$(iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r')" == "$expected_ini" ] && pass "wininit.ini holds the rename lines in order" ||
  fail "wininit.ini:"$'\n'"$(iconv -f CP932 -t UTF-8 "$ini")"

restart_machine

for name in ALPHA.DLL FOO.DLL HOSTS; do
  same_bytes "C:\\src\\$name" "C:\\target\\$name" || fail "$name does not hold its source after the restart"
done
same_bytes 'C:\src\BETA.SYS' 'C:\target\ソフト\BETA.SYS' || fail "BETA.SYS does not hold its source"
[ "$(cat "$(host_path 'C:\target\ALPHA.OLD')")" == 'old ALPHA.DLL' ] &&
  [ "$(cat "$(host_path 'C:\target\FOO.OLD')")" == 'old FOO.DLL' ] &&
  [ "$(cat "$(host_path 'C:\target\H.OLD')")" == 'old HOSTS' ] &&
  [ "$(cat "$(host_path 'C:\target\ソフト\BETA.OLD')")" == 'old BETA.SYS' ] &&
  pass "every backup holds the old target" || fail "backups after the restart"
[ "$(cat "$(host_path 'C:\target\FOO.EXE')")" == 'old FOO.EXE' ] && pass "the failed entry's target is untouched" ||
  fail "FOO.EXE changed"
! exists 'C:\windows\wininit.ini' && exists 'C:\windows\wininit.bak' && pass "wininit.ini was consumed" ||
  fail "wininit.ini was not processed"

# The next start judges the four entries, named by their short names, replaced
# and says nothing.
expect_quiet_start "all replaced: nothing is told at the next start"
press "$IDCANCEL"
expect_ended "the program ends"
[ "$(journal_outcomes)" == "C:\\target\\ALPHA.DLL replaced
C:\\target\\FOO.DLL replaced
C:\\target\\HOSTS replaced
$beta_short replaced" ] && pass "the journal tells the four replaced" ||
  fail "outcomes:"$'\n'"$(journal_outcomes)"
[ "$(journal_text | awk -F'\t' '$3 == "scheduled" { print $4, $6 }' | head -n 3)" == '9x C:\target\ALPHA.NEW
9x C:\target\FOO.NEW
9x C:\target\H.NEW' ] && pass "9x entries with their short staged names" ||
  fail "journal:"$'\n'"$(journal_text)"
finish
