# Putting a backup back, for the family that the calling scenario set up; it
# names the backup of a file with backup_of PATH. FOO.DLL is replaced through
# the fields, then put back from its backup with the system-menu command and
# the restart, and put back once more: each restart swaps the file and its
# backup. On the way the refusals show their boxes and add no row.
#   restore_road FOLDER

# Commits the plan of one entry (SOURCE, TARGET), reads its report and
# declines the restart.
commit_entry() {
  press "$IDOK"
  expect_box "$tessera_caption" '本当に置換を行ってもよろしいですか?' "$IDYES"
  expect_box "$tessera_caption" "$1"$'\n'" → $2"$'\n'"再起動後に置換されます．"$'\n\n' "$IDOK"
  expect_box "$tessera_caption" 'ファイルの置換を完了するにはシステムの再起動が必要です．
今すぐ再起動しますか?' "$IDNO"
  expect_ended "the dialog closes after the restart prompt"
}
# True when the file at PATH holds the bytes of the copy NAME (original, replacement).
holds() { cmp -s "$e2e_work/$2" "$(host_path "$1")"; }

restore_road() {
  local folder=$1 target=$1\\FOO.DLL backup row
  backup=$(backup_of "$target")
  # Two of Wine's own libraries, so that both version columns show a text.
  mkdir -p "$(host_path "$folder")" "$(host_path 'C:\src')" "$(host_path "$(backup_of "$folder\\BAZ.DLL")")"
  cp "$(host_path 'C:\windows\system32\version.dll')" "$e2e_work/original"
  cp "$(host_path 'C:\windows\system32\shlwapi.dll')" "$e2e_work/replacement"
  cp "$e2e_work/original" "$(host_path "$target")"
  cp "$e2e_work/replacement" "$(host_path 'C:\src\FOO.DLL')"
  put_file "$folder\\BAR.DLL" 'never replaced'
  put_file "$folder\\BAZ.DLL" 'its backup name is a folder'

  start_tessera
  add_pair 'C:\src\FOO.DLL' "$folder"
  commit_entry 'C:\src\FOO.DLL' "$target"
  restart_machine
  holds "$target" replacement && holds "$backup" original &&
    pass "replaced: the backup holds the original" || fail "the first replacement"

  # The file dialog starts in the target field's folder: bare names suffice.
  start_tessera
  set_field "$IDC_TARGET_EDIT" "$folder"
  restore_file BAR.DLL
  expect_box "$tessera_caption" "$folder\\BAR.DLLのバックアップ$(backup_of "$folder\\BAR.DLL")が見つかりません．" "$IDOK"
  restore_file BAZ.DLL
  expect_box "$tessera_caption" "\"$(backup_of "$folder\\BAZ.DLL")\"はファイルではないようです。" "$IDOK"
  drive syscommand Tessera "$IDM_RESTORE"
  drive click "$restore_title" "$IDCANCEL"
  drive gone "$restore_title" 10000 || fail "the file dialog stayed after Cancel"
  [ -z "$(list_rows)" ] && pass "refusals and a cancel add no row" || fail "rows: $(list_rows)"

  restore_file FOO.DLL
  row=$(list_rows)
  [ "$(cut -f 1,3 <<<"$row")" == "$backup	$target" ] && [ -n "$(cut -f 2 <<<"$row")" ] &&
    [ -n "$(cut -f 4 <<<"$row")" ] && pass "the row: backup, file and both version texts: $row" ||
    fail "restore row: $row"
  restore_file FOO.DLL
  expect_box "$tessera_caption" "置換先${target}はすでに${backup}で置きかえられることになっています．" "$IDOK"
  [ "$(list_rows)" == "$row" ] && pass "a second restore of the file adds no row" || fail "rows: $(list_rows)"

  drive select Tessera "$IDC_LIST" 0
  press "$IDC_REMOVE"
  [ "$(field "$IDC_SOURCE_EDIT")" == "$backup" ] && [ "$(field "$IDC_TARGET_EDIT")" == "$folder" ] &&
    [ -z "$(list_rows)" ] && pass "remove puts the backup and the folder into the fields" ||
    fail "after remove: $(field "$IDC_SOURCE_EDIT") | $(field "$IDC_TARGET_EDIT") | $(list_rows)"
  restore_file "$target"
  expect_rows "$row" "restored by its full path"
  screenshot row
  commit_entry "$backup" "$target"
  restart_machine
  holds "$target" original && holds "$backup" replacement &&
    pass "restored: the file holds the original, the backup the replacement" || fail "the restore"

  start_tessera
  restore_file "$target"
  commit_entry "$backup" "$target"
  restart_machine
  holds "$target" replacement && holds "$backup" original &&
    pass "restored again: swapped back" || fail "the second restore"
}
