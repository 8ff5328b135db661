#!/usr/bin/env bash
# The road of a replacement on the NT family: a plan built through the fields
# (added, refused, removed and added again), committed, the report read, the
# restart declined; the staged copies and recorded renames checked; then a
# restart of the Wine machine carries the renames out, and the next start
# finds them done. Then the same road for a plan of 40 pairs, whose report is
# read in the window that scrolls.
source "$(dirname "$0")/lib.sh"

# Two of Wine's own libraries stand in for a new and an old version of one
# file, so that the version columns show real version texts.
mkdir -p "$(host_path 'C:\src')" "$(host_path 'C:\target\ソフト')"
cp "$(host_path 'C:\windows\system32\shlwapi.dll')" "$(host_path 'C:\src\ALPHA.DLL')"
cp "$(host_path 'C:\windows\system32\version.dll')" "$(host_path 'C:\target\ALPHA.DLL')"
put_file 'C:\src\BETA.SYS' 'new beta driver'
put_file 'C:\src\GAMMA.EXE' 'new gamma program'
put_file 'C:\src\DELTA.DLL' 'a library with nothing to replace'
put_file 'C:\target\ソフト\BETA.SYS' 'old beta driver'
put_file 'C:\target\ソフト\GAMMA.EXE' 'old gamma program'
# Left from an earlier run: GAMMA's staged copy cannot be made.
put_file 'C:\target\ソフト\GAMMA.EXE.new' 'stale staged copy'
cp "$(host_path 'C:\target\ALPHA.DLL')" "$e2e_work/alpha.old"

start_tessera

add_pair 'C:\src\ALPHA.DLL' 'C:\target'
add_pair 'C:\src\DELTA.DLL' 'C:\target\'
expect_box "$tessera_caption" '置換先ファイル(C:\target\DELTA.DLL)の情報が得られません．ファイルが存在するか確かめてください。' "$IDOK"
add_pair 'C:\src\BETA.SYS' 'C:\target\ソフト'
add_pair 'C:\src\GAMMA.EXE' 'C:\target\ソフト'
alpha=$(list_rows | head -n 1)
[ -n "$(cut -f 2 <<<"$alpha")" ] && [ -n "$(cut -f 4 <<<"$alpha")" ] &&
  pass "version texts of real libraries: $(cut -f 2 <<<"$alpha") / $(cut -f 4 <<<"$alpha")" ||
  fail "no version texts for ALPHA: $alpha"

# Remove BETA: the pair goes back into the fields, GAMMA becomes selected.
drive select Tessera "$IDC_LIST" 1
press "$IDC_REMOVE"
[ "$(field "$IDC_SOURCE_EDIT")" == 'C:\src\BETA.SYS' ] && [ "$(field "$IDC_TARGET_EDIT")" == 'C:\target\ソフト' ] &&
  pass "remove puts the pair back into the fields" || fail "fields after remove: $(field "$IDC_SOURCE_EDIT") | $(field "$IDC_TARGET_EDIT")"
[ "$(list_rows | sed -n 2p | awk -F'\t' '{print $NF}')" == "*" ] && pass "the next row is selected" ||
  fail "the row after the removed one is not selected"
press "$IDC_ADD"
expect_rows "$alpha
C:\\src\\GAMMA.EXE		C:\\target\\ソフト\\GAMMA.EXE		*
C:\\src\\BETA.SYS		C:\\target\\ソフト\\BETA.SYS	" "three entries in plan order"
screenshot plan

press "$IDOK"
expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' "$IDYES"
expect_box "$tessera_caption" 'C:\src\ALPHA.DLL
 → C:\target\ALPHA.DLL
再起動後に置換されます．

C:\src\GAMMA.EXE
 → C:\target\ソフト\GAMMA.EXE
C:\src\GAMMA.EXEをC:\target\ソフト\GAMMA.EXE.newにコピーするのに失敗しました．
C:\target\ソフト\GAMMA.EXE.newがすでにある可能性があります．

C:\src\BETA.SYS
 → C:\target\ソフト\BETA.SYS
再起動後に置換されます．

' "$IDOK" report
expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' "$IDNO" restart-prompt
expect_ended "the dialog closes after the restart prompt"

# Before the restart: staged copies made, nothing moved, renames recorded in order.
same_bytes 'C:\src\ALPHA.DLL' 'C:\target\ALPHA.DLL.new' && same_bytes 'C:\src\BETA.SYS' 'C:\target\ソフト\BETA.SYS.new' &&
  pass "staged copies hold the sources" || fail "staged copies"
cmp -s "$e2e_work/alpha.old" "$(host_path 'C:\target\ALPHA.DLL')" && pass "targets untouched before the restart" ||
  fail "a target changed before the restart"
expected_renames='\??\C:\target\ALPHA.DLL > !\??\C:\target\ALPHA.DLL.old
\??\C:\target\ALPHA.DLL.new > !\??\C:\target\ALPHA.DLL
\??\C:\target\ソフト\BETA.SYS > !\??\C:\target\ソフト\BETA.SYS.old
\??\C:\target\ソフト\BETA.SYS.new > !\??\C:\target\ソフト\BETA.SYS'
[ "$(pending_renames)" == "$expected_renames" ] && pass "four renames recorded in order" ||
  fail "pending renames:"$'\n'"$(pending_renames)"

restart_machine

same_bytes 'C:\src\ALPHA.DLL' 'C:\target\ALPHA.DLL' && same_bytes 'C:\src\BETA.SYS' 'C:\target\ソフト\BETA.SYS' &&
  pass "after the restart every target holds its source" || fail "targets after the restart"
cmp -s "$e2e_work/alpha.old" "$(host_path 'C:\target\ALPHA.DLL.old')" &&
  [ "$(cat "$(host_path 'C:\target\ソフト\BETA.SYS.old')")" == 'old beta driver' ] &&
  pass "every backup holds the old target" || fail "backups after the restart"
[ "$(cat "$(host_path 'C:\target\ソフト\GAMMA.EXE')")" == 'old gamma program' ] &&
  pass "the failed entry's target is untouched" || fail "GAMMA changed"
! exists 'C:\target\ALPHA.DLL.new' && ! exists 'C:\target\ソフト\BETA.SYS.new' &&
  pass "no staged copy is left" || fail "staged copies left after the restart"
[ -z "$(pending_renames)" ] && pass "no rename is left pending" || fail "renames still pending"

# The next start judges both entries replaced (ALPHA by its version texts too)
# and says nothing; the journal tells it.
expect_quiet_start "both replaced: nothing is told at the next start"
press "$IDCANCEL"
expect_ended "the program ends"
[ "$(journal_outcomes)" == 'C:\target\ALPHA.DLL replaced
C:\target\ソフト\BETA.SYS replaced' ] && pass "the journal tells both replaced" ||
  fail "outcomes:"$'\n'"$(journal_outcomes)"

# A plan of 40 pairs, two of which find a staged copy left from an earlier run.
# Its report would run off the screen, so it opens in the window that scrolls:
# first a line that counts the pairs scheduled and not scheduled, then every
# entry's block.
start_tessera
add_numbered_pairs 'C:\many' 40
many_report=
for i in $(seq -w 1 40); do
  source="C:\\many\\src\\FILE$i.DLL" target="C:\\many\\target\\FILE$i.DLL"
  outcome='再起動後に置換されます．'
  if [ "$i" = 07 ] || [ "$i" = 33 ]; then
    put_file "$target.new" 'stale staged copy'
    outcome="${source}を${target}.newにコピーするのに失敗しました．"$'\n'"${target}.newがすでにある可能性があります．"
  fi
  many_report+="$source"$'\n'" → $target"$'\n'"$outcome"$'\n\n'
done
press "$IDOK"
expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' "$IDYES"
expect_long_text "$tessera_caption" '38件の置換を予約し、2件は予約しませんでした．' "$many_report" long-report
expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' "$IDNO"
expect_ended "the dialog closes after the long report"
[ "$(pending_renames | wc -l)" -eq 76 ] && pass "two renames recorded for each of the 38 scheduled" ||
  fail "$(pending_renames | wc -l) renames pending, not 76"
finish
