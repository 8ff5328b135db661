#!/usr/bin/env bash
# The program where the ANSI code page is not 932 (RIG_LANG names the locale):
# every text in English. A start-up refusal, the main dialog's controls, an
# add refusal, help without its English document, the About box, the pending
# operations and the restore command's file dialog, then a commit through the
# confirmation, the report and the restart prompt; a restart of the machine
# carries the renames out; another program's update of a target is told at
# the next start, and shown in the history.
source "$(dirname "$0")/lib.sh"

if [ "$e2e_code_page" == CP932 ]; then
  fail "run with RIG_LANG naming a locale whose code page is not 932"
  finish
fi

# The system fonts of an English machine where the code page is 1252; a 936
# machine keeps the rig's, whose Japanese font draws the Chinese captions that
# Wine gives its own buttons there.
[ "$e2e_code_page" != CP1252 ] || use_ansi_system_fonts
# A folder name beyond ASCII that the code page can write.
put_file 'C:\src\ALPHA.DLL' 'new alpha'
put_file 'C:\src\GAMMA.EXE' 'new gamma'
put_file 'C:\target\Café\ALPHA.DLL' 'old alpha'
put_file 'C:\target\Café\GAMMA.EXE' 'old gamma'
# Left from an earlier run: GAMMA's staged copy cannot be made.
put_file 'C:\target\Café\GAMMA.EXE.new' 'stale staged copy'

set_windows_version nt351
in_wine "C:\\Tessera\\$tessera_exe" &
tessera_pid=$!
expect_box "$tessera_caption" 'On Windows NT, Tessera needs version 4.0 or later. It will close now.' "$IDOK" refusal
expect_ended "the program ends after the refusal"
machine_reg delete "HKCU\\Software\\Wine\\AppDefaults\\$tessera_exe" /v Version /f >/dev/null 2>&1

start_tessera
expected_controls="$IDC_SOURCE_EDIT	
$IDC_BROWSE_SOURCE	Browse...
$IDC_TARGET_EDIT	
$IDC_BROWSE_TARGET	Browse...
$IDC_ADD	Add
$IDC_REMOVE	Remove
$IDC_LIST	List1
$IDC_ABOUT	About
$IDCANCEL	Quit
$IDOK	Schedule and quit
-1	Source file:
-1	Target folder:
-1	Replacement list:
$IDC_OS_LABEL	
$IDC_HELP_BUTTON	Help"
controls=$(drive controls Tessera | iconv -f "$e2e_code_page" -t UTF-8 | cut -f 1,4)
[ "$controls" == "$expected_controls" ] && pass "the main dialog's controls read in English" ||
  fail "controls:"$'\n'"$controls"
screenshot main

add_pair 'C:\src\DELTA.DLL' 'C:\target\Café'
expect_box "$tessera_caption" 'Cannot read the source file (C:\src\DELTA.DLL).' "$IDOK"
press "$IDC_HELP_BUTTON"
expect_box "$tessera_caption" 'Could not open C:\Tessera\help_en.htm. Check that the file exists.' "$IDOK"

press "$IDC_ABOUT"
if drive wait 'About Tessera' 10000; then
  expect_roomy 'About Tessera' "the About box" 243 '8 MS Shell Dlg'
  screenshot about
  drive click 'About Tessera' "$IDOK"
  drive gone 'About Tessera' 10000 || fail "the About box stayed"
else
  fail "no About box"
fi

drive syscommand Tessera "$IDM_PENDING"
if drive wait 'Pending Operations' 10000; then
  [ "$(drive text 'Pending Operations' "$IDC_PENDING_STATUS")" == 'No operations are pending.' ] &&
    pass "the pending operations' status reads in English" ||
    fail "pending status: $(drive text 'Pending Operations' "$IDC_PENDING_STATUS")"
  screenshot pending
  drive click 'Pending Operations' "$IDCANCEL"
  drive gone 'Pending Operations' 10000 || fail "the pending-operations dialog stayed"
else
  fail "no pending-operations dialog"
fi

# The restore command's file dialog, and its refusal: no backup yet.
drive syscommand Tessera "$IDM_RESTORE"
drive openfile 'Choose File to Restore' 'C:\target\Café\ALPHA.DLL' ||
  fail "no file dialog 'Choose File to Restore'"
expect_box "$tessera_caption" 'For C:\target\Café\ALPHA.DLL, the backup C:\target\Café\ALPHA.DLL.old cannot be found.' "$IDOK"

add_pair 'C:\src\ALPHA.DLL' 'C:\target\Café'
add_pair 'C:\src\GAMMA.EXE' 'C:\target\Café'
expect_rows 'C:\src\ALPHA.DLL		C:\target\Café\ALPHA.DLL	
C:\src\GAMMA.EXE		C:\target\Café\GAMMA.EXE	' "two entries, the folder spelt in the code page"
screenshot plan

press "$IDOK"
expect_box "$tessera_caption" 'Schedule the replacement of these files for the next restart?' "$IDYES" confirmation
expect_box "$tessera_caption" 'Source: C:\src\ALPHA.DLL
Target: C:\target\Café\ALPHA.DLL
Will be replaced at the next restart.

Source: C:\src\GAMMA.EXE
Target: C:\target\Café\GAMMA.EXE
Could not copy C:\src\GAMMA.EXE to C:\target\Café\GAMMA.EXE.new.
C:\target\Café\GAMMA.EXE.new may already exist.

' "$IDOK" report
expect_box "$tessera_caption" 'The files will be replaced at the next restart.
If you restart later, choose "Restart", because "Shut down" with fast startup does not replace them.

Restart now?' "$IDNO" restart-prompt
expect_ended "the dialog closes after the restart prompt"

restart_machine

same_bytes 'C:\src\ALPHA.DLL' 'C:\target\Café\ALPHA.DLL' &&
  [ "$(cat "$(host_path 'C:\target\Café\ALPHA.DLL.old')")" == 'old alpha' ] &&
  pass "after the restart the target holds its source and the backup the old file" ||
  fail "ALPHA after the restart"
[ "$(cat "$(host_path 'C:\target\Café\GAMMA.EXE')")" == 'old gamma' ] &&
  pass "the failed entry's target is untouched" || fail "GAMMA changed"
[ -z "$(pending_renames)" ] && pass "no rename is left pending" || fail "renames still pending"

# Another program replaces ALPHA after the restart: the next start tells it in
# English, and the history shows it.
put_file 'C:\target\Café\ALPHA.DLL' 'alpha as an update left it'
start_tessera_to_box
expect_box "$tessera_caption" '1 of the replacements that Tessera scheduled did not go as planned at the restart.

Changed since: C:\target\Café\ALPHA.DLL

Changed since: another program replaced the file after the restart.
' "$IDOK" start-box
drive wait Tessera 30000 || fail "the main dialog did not open after the start box"
history='Replacement History'
drive syscommand Tessera "$IDM_JOURNAL"
drive wait "$history" 30000 || fail "no history of replacements"
[ "$(drive rows "$history" "$IDC_JOURNAL_LIST" | iconv -f "$e2e_code_page" -t UTF-8 | cut -f 2,3)" == \
  'C:\target\Café\ALPHA.DLL	Changed since' ] &&
  [ "$(drive text "$history" "$IDC_JOURNAL_STATUS")" == 'Entries in C:\windows\TESSERA.LOG: 1.' ] &&
  pass "the history reads in English" || fail "history: $(drive rows "$history" "$IDC_JOURNAL_LIST")"
expect_roomy "$history" "the history" 340 '8 MS Shell Dlg'
drive select "$history" "$IDC_JOURNAL_LIST" 0
screenshot history
drive click "$history" "$IDCANCEL"
drive gone "$history" 10000 || fail "the history stayed"
press "$IDCANCEL"
expect_ended "the program ends"
finish
