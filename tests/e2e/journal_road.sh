#!/usr/bin/env bash
# What the restart did, through real restarts of the machine (NT family): a
# plan of four pairs journaled; before the restart one pair's records are
# removed (as a shut down with fast start-up leaves it: not carried out) and
# another program's record deletes a target after Tessera's renames (target
# missing); after it another file is copied over a target (changed since).
# A torn, a garbage and a hand-edited line are put into the journal. The next
# start tells the three in one box and records the first again; the history
# lists every entry, and puts the missing target's backup back and another's
# through the restore rule. After the next restart nothing is told, twice.
# Last, a journal that cannot be written: the report says so, the
# replacement is done all the same.
source "$(dirname "$0")/lib.sh"

history_title='置換の記録'
done_text='再起動後に置換されます．'
history_rows() { drive rows "$history_title" "$IDC_JOURNAL_LIST" | iconv -f CP932 -t UTF-8; }
# Appends to records the two renames Tessera records for C:\target\NAME.
records=()
tessera_records() { local t="\\??\\C:\\target\\$1"; records+=("$t" "!$t.old" "$t.new" "!$t"); }

# A pair of Wine's own libraries, so that version texts are journaled.
mkdir -p "$(host_path 'C:\src')" "$(host_path 'C:\target')"
cp "$(host_path 'C:\windows\system32\shlwapi.dll')" "$(host_path 'C:\src\A.DLL')"
cp "$(host_path 'C:\windows\system32\version.dll')" "$(host_path 'C:\target\A.DLL')"
for name in B C D; do
  put_file "C:\\src\\$name.DLL" "new $name"
  put_file "C:\\target\\$name.DLL" "old $name"
done

start_tessera
for name in A B C D; do add_pair "C:\\src\\$name.DLL" 'C:\target'; done
press "$IDOK"
expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' "$IDYES"
expect_box "$tessera_caption" "$(for name in A B C D; do
  printf 'C:\\src\\%s.DLL\n → C:\\target\\%s.DLL\n%s\n\n' "$name" "$name" "$done_text"; done)"$'\n\n' "$IDOK"
expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' "$IDNO"
expect_ended "the plan is committed"

# One line per pair, names as recorded; A's version texts kept.
scheduled=$(journal_text | awk -F'\t' '$3 == "scheduled"')
[ "$(cut -f 2,4-7 <<<"$scheduled")" == "1	NT	C:\\target\\A.DLL	C:\\target\\A.DLL.new	C:\\target\\A.DLL.old
2	NT	C:\\target\\B.DLL	C:\\target\\B.DLL.new	C:\\target\\B.DLL.old
3	NT	C:\\target\\C.DLL	C:\\target\\C.DLL.new	C:\\target\\C.DLL.old
4	NT	C:\\target\\D.DLL	C:\\target\\D.DLL.new	C:\\target\\D.DLL.old" ] &&
  pass "the journal holds the four pairs as scheduled" || fail "journal:"$'\n'"$(journal_text)"
a_line=$(head -n 1 <<<"$scheduled")
[ "$(cut -f 8 <<<"$a_line")" == "$(stat -c %s "$(host_path 'C:\src\A.DLL')")" ] &&
  [ -n "$(cut -f 10 <<<"$a_line")" ] && [ -n "$(cut -f 13 <<<"$a_line")" ] &&
  pass "A's sizes and version texts: $(cut -f 8-13 <<<"$a_line" | tr '\t' ' ')" || fail "A's facts: $a_line"

# A's records removed; another program deletes C after Tessera's renames.
for name in B C D; do tessera_records "$name.DLL"; done
set_pending_renames "${records[@]}"
drive deletelater 'C:\target\C.DLL' || fail "could not queue C's deletion"
# Lines nobody may trust: garbage, D's line with its plan changed by hand (so
# that, trusted, it would be an entry not yet told), and a torn last line.
d_line=$(journal_text | awk -F'\t' '$3 == "scheduled" && $2 == 4')
{
  printf 'garbage \x81\x5c\t\t\r\n'
  printf '%s\r\n' "${d_line/2026/2025}" | iconv -f UTF-8 -t CP932
  printf '2026-01-01 00:00:00.000\t9\treplaced\t2026'
} >>"$(host_path "$journal_path")"
restart_machine
put_file 'C:\target\D.DLL' 'D as another program left it'

same_bytes 'C:\src\B.DLL' 'C:\target\B.DLL' && ! exists 'C:\target\C.DLL' && exists 'C:\target\C.DLL.old' &&
  exists 'C:\target\A.DLL.new' && pass "after the restart: B replaced, C deleted, A untouched" ||
  fail "the restart did not leave the files as arranged"

start_tessera_to_box
expect_box "$tessera_caption" '前回の再起動で、Tesseraが予約した置換のうち3件が予定どおりに行われていません．

未実行: C:\target\A.DLL
置換先なし: C:\target\C.DLL (元のファイルはC:\target\C.DLL.old)
その後変更: C:\target\D.DLL

未実行: 再起動で名前の変更が行われませんでした．高速スタートアップが有効なままのシャットダウンや、ほかのプログラムによる予約の消去で起こります．置換にはシャットダウンではなく再起動が必要です．

置換先なし: 置換先にファイルがありません．元のファイルはバックアップにあります．戻すには、システム メニューの「置換の記録」でその記録を選び「バックアップから戻す」を押してください．名前を使っているファイルがないため、すぐにコピーして戻します(再起動は要りません)．

その後変更: 再起動の後、ほかのプログラムがファイルを置き換えました．

置換用のコピーが残っている1件について、名前の変更をもう一度予約しますか?
次の再起動で置換されます(シャットダウンではなく再起動してください)．' "$IDYES" start-box
expect_box "$tessera_caption" "C:\\target\\A.DLL.new
 → C:\\target\\A.DLL
$done_text

" "$IDOK" recorded-again
drive wait Tessera 30000 || fail "the main dialog did not open after the start box"
records=()
tessera_records A.DLL
[ "$(pending_renames)" == "$(printf '%s > %s\n' "${records[@]}")" ] && pass "A's two renames are recorded again" ||
  fail "pending renames:"$'\n'"$(pending_renames)"
[ "$(journal_outcomes)" == 'C:\target\A.DLL not carried out
C:\target\B.DLL replaced
C:\target\C.DLL target missing
C:\target\D.DLL changed since' ] && pass "each outcome journaled, the replaced one quietly" ||
  fail "outcomes:"$'\n'"$(journal_outcomes)"

drive syscommand Tessera "$IDM_JOURNAL"
drive wait "$history_title" 30000 || fail "the history did not open"
[ "$(history_rows | cut -f 2,3)" == 'C:\target\A.DLL	再起動待ち
C:\target\D.DLL	その後変更
C:\target\C.DLL	置換先なし
C:\target\B.DLL	置換済み
C:\target\A.DLL	再起動待ち' ] && pass "the history, newest first, judged afresh" || fail "history:"$'\n'"$(history_rows)"
history_rows | cut -f 1 | grep -qvE '^20[0-9]{2}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}$' &&
  fail "a time of the history is not a time: $(history_rows | cut -f 1)"
[ "$(drive text "$history_title" "$IDC_JOURNAL_STATUS" | iconv -f CP932 -t UTF-8)" == \
  'C:\windows\TESSERA.LOGの記録は5件です(読めない行3行は無視しました)．' ] &&
  pass "the three lines not trusted are skipped" ||
  fail "status: $(drive text "$history_title" "$IDC_JOURNAL_STATUS" | iconv -f CP932 -t UTF-8)"
expect_roomy "$history_title" "the history" 340 '9 ＭＳ Ｐゴシック'
drive select "$history_title" "$IDC_JOURNAL_LIST" 2
screenshot history
drive click "$history_title" "$IDC_JOURNAL_RESTORE"
expect_box "$tessera_caption" 'C:\target\C.DLLにはファイルがありません．バックアップC:\target\C.DLL.oldをC:\target\C.DLLにコピーして元に戻しますか?
この名前を使っているファイルがないため、再起動は要りません．' "$IDYES"
expect_box "$tessera_caption" 'C:\target\C.DLL.oldをC:\target\C.DLLにコピーして元に戻しました．' "$IDOK"
[ "$(cat "$(host_path 'C:\target\C.DLL')")" == 'old C' ] && pass "C's backup is back at once" ||
  fail "C after the restore: $(cat "$(host_path 'C:\target\C.DLL')" 2>&1)"
drive gone "$history_title" 10000 || fail "the history stayed"
drive syscommand Tessera "$IDM_JOURNAL"
drive wait "$history_title" 30000 || fail "the history did not open again"
drive select "$history_title" "$IDC_JOURNAL_LIST" 3
drive click "$history_title" "$IDC_JOURNAL_RESTORE"
drive gone "$history_title" 10000 || fail "the history stayed"
[ "$(list_rows | cut -f 1,3)" == 'C:\target\B.DLL.old	C:\target\B.DLL' ] &&
  pass "B's backup is put back through the restore rule" || fail "rows: $(list_rows)"
press "$IDCANCEL"
expect_ended "the program ends"

restart_machine
same_bytes 'C:\src\A.DLL' 'C:\target\A.DLL' && pass "A replaced at the restart after the start box" ||
  fail "A was not replaced"
expect_quiet_start "after the restart that replaced A, nothing is told"
press "$IDCANCEL"
expect_ended "the program ends"
[ "$(journal_outcomes | tail -n 1)" == 'C:\target\A.DLL replaced' ] && pass "A's second entry told replaced" ||
  fail "outcomes:"$'\n'"$(journal_outcomes)"
cp "$(host_path "$journal_path")" "$e2e_work/journal.before"
expect_quiet_start "told once: the next start says nothing"
press "$IDCANCEL"
expect_ended "the program ends"
cmp -s "$e2e_work/journal.before" "$(host_path "$journal_path")" && pass "and adds nothing to the journal" ||
  fail "the journal changed at a start with nothing to tell"

# A journal that cannot be written: a folder of its name.
mv "$(host_path "$journal_path")" "$e2e_work/journal.kept"
mkdir "$(host_path "$journal_path")"
put_file 'C:\src\E.DLL' 'new E'
put_file 'C:\target\E.DLL' 'old E'
start_tessera
add_pair 'C:\src\E.DLL' 'C:\target'
press "$IDOK"
expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' "$IDYES"
expect_box "$tessera_caption" "C:\\src\\E.DLL
 → C:\\target\\E.DLL
$done_text

記録ファイルC:\\windows\\TESSERA.LOGに書き込めませんでした．置換はそのまま予約されています．
" "$IDOK" unwritable-report
expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' "$IDNO"
expect_ended "the plan is committed without its journal"
restart_machine
same_bytes 'C:\src\E.DLL' 'C:\target\E.DLL' && pass "the replacement is done all the same" ||
  fail "E was not replaced"
finish
