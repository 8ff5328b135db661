#!/usr/bin/env bash
# The pending-operations dialog over the machine's real queue: records of
# another program, then two replacements in the form Tessera records them
# (nt_road proves that form). One replacement is cancelled through the dialog:
# its two records go, every other byte stays in order, its staged copy is deleted.
source "$(dirname "$0")/lib.sh"

pending_title='再起動待ちの操作'

tessera_pair() { local t="\\??\\C:\\target\\$1"; utf16_hex "$t" "!$t.old" "$t.new" "!$t"; }
# PendingFileRenameOperations exactly as stored, in the same hex pairs.
queue_bytes() {
  machine_reg export "$session_manager" 'C:\queue.reg' /y >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$(host_path 'C:\queue.reg')" | tr -d '\r' |
    awk '/^"PendingFileRenameOperations"=hex\(7\):/ { on = 1; sub(/^[^:]*:/, "") }
         on { sub(/^ +/, ""); more = sub(/\\$/, ""); printf "%s", $0; if (!more) exit }'
}
pending_rows() { drive rows "$pending_title" "$IDC_PENDING_LIST" | iconv -f CP932 -t UTF-8; }
cancel_enabled() {
  local style
  style=$(drive controls "$pending_title" | awk -F'\t' -v id="$IDC_CANCEL_REPLACEMENT" '$1 == id { print $3 }')
  [ -n "$style" ] && [ $((0x$style & 0x08000000)) -eq 0 ]
}

foreign=$(utf16_hex '\??\C:\Other\setup.tmp' '' '*1\??\C:\Other\old.ini' '\??\C:\Other\new.ini' \
  '\??\C:\Other\app.dll.new' '!\??\C:\Other\app.dll')
alpha=$(tessera_pair ALPHA.DLL) beta=$(tessera_pair BETA.DLL)
put_file 'C:\target\ALPHA.DLL.new' 'new ALPHA'
put_file 'C:\target\BETA.DLL.new' 'new BETA'
printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"PendingFileRenameOperations"=hex(7):%s\r\n' \
  "$session_manager" "$foreign,$alpha,$beta,00,00" | iconv -f UTF-8 -t UTF-16 >"$(host_path 'C:\queue.reg')"
machine_reg import 'C:\queue.reg' >/dev/null
[ "$(queue_bytes)" == "$foreign,$alpha,$beta,00,00" ] || fail "the queue could not be set up"

start_tessera
drive syscommand Tessera "$IDM_PENDING"
drive wait "$pending_title" 10000 || fail "the pending-operations dialog did not open"
foreign_rows='削除	C:\Other\setup.tmp		
名前変更	C:\Other\old.ini	C:\Other\new.ini	
名前変更(上書き)	C:\Other\app.dll.new	C:\Other\app.dll	'
beta_row='置換(Tessera)	C:\target\BETA.DLL.new	C:\target\BETA.DLL	置換用コピーあり'
[ "$(pending_rows)" == "$foreign_rows
置換(Tessera)	C:\\target\\ALPHA.DLL.new	C:\\target\\ALPHA.DLL	置換用コピーあり
$beta_row" ] && pass "one row per operation, one per replacement" || fail "rows:"$'\n'"$(pending_rows)"
drive select "$pending_title" "$IDC_PENDING_LIST" 2
! cancel_enabled && pass "another program's row cannot be cancelled" || fail "cancel enabled for a foreign row"
drive select "$pending_title" "$IDC_PENDING_LIST" 3
cancel_enabled && pass "a Tessera row can be cancelled" || fail "cancel disabled for a Tessera row"
screenshot pending

drive click "$pending_title" "$IDC_CANCEL_REPLACEMENT"
expect_box "$tessera_caption" 'C:\target\ALPHA.DLLの置換の予約を取り消しますか?
置換用のコピーC:\target\ALPHA.DLL.newも削除します．' "$IDYES"
[ "$(queue_bytes)" == "$foreign,$beta,00,00" ] && pass "the two records removed, every other byte kept" ||
  fail "queue bytes:"$'\n'"$(queue_bytes)"
! exists 'C:\target\ALPHA.DLL.new' && exists 'C:\target\BETA.DLL.new' &&
  pass "the cancelled replacement's staged copy is deleted" || fail "staged copies after the cancel"
[ "$(pending_rows)" == "$foreign_rows"$'\n'"$beta_row" ] && pass "the list is read again" ||
  fail "rows:"$'\n'"$(pending_rows)"
drive click "$pending_title" "$IDCANCEL"
drive gone "$pending_title" 10000 || fail "the pending-operations dialog stayed"
press "$IDCANCEL"
expect_ended "the program ends"
finish
