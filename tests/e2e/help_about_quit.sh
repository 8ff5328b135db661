#!/usr/bin/env bash
# Help without its document, the About box, and quitting without doing
# anything: nothing staged, nothing recorded.
source "$(dirname "$0")/lib.sh"
put_file 'C:\src\ALPHA.DLL' 'new'
put_file 'C:\target\ALPHA.DLL' 'old'

start_tessera
press "$IDC_HELP_BUTTON"
expect_box "$tessera_caption" 'C:\Tessera\help.htmを起動できませんでした。ファイルが存在するかどうか確かめてください。' "$IDOK"

press "$IDC_ABOUT"
if drive wait 'About Tessera' 10000; then
  drive controls 'About Tessera' | grep -q 'Tessera for Windows Version 1.00' && pass "the About box names the tool" ||
    fail "About box texts"
  screenshot about
  drive click 'About Tessera' "$IDOK"
  drive gone 'About Tessera' 10000 && pass "the About box closes with OK" || fail "the About box stayed"
else
  fail "no About box"
fi

add_pair 'C:\src\ALPHA.DLL' 'C:\target'
[ "$(list_rows | wc -l)" -eq 1 ] && pass "a plan of one entry" || fail "rows: $(list_rows)"
press "$IDCANCEL"
expect_ended "quit without doing anything ends the program"
! exists 'C:\target\ALPHA.DLL.new' && [ "$(cat "$(host_path 'C:\target\ALPHA.DLL')")" == old ] &&
  pass "nothing staged" || fail "something was staged"
[ -z "$(pending_renames)" ] && ! exists 'C:\windows\wininit.ini' && pass "nothing recorded" ||
  fail "something was recorded"
finish
