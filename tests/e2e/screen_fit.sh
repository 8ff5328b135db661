#!/usr/bin/env bash
# The dialogs on the smallest screens an administrator may have: 800 x 600 at
# 96 DPI, and 1024 x 768 at 144 DPI (150 %). At each, the main dialog with two
# rows, the pending-operations dialog with Tessera rows and the history of
# replacements with three entries lie on the screen with their buttons; the
# main list's columns and the tooltips' wrap width are scaled from their
# 96-DPI values, the pending list's kind and state columns and the history's
# time and outcome columns hold their texts, and every button and label holds
# its text on one line. Screenshots of each dialog at each setting, with the
# visual styles and in the classic look, and in English where the code page
# is 1252. At each, the window that scrolls a report of 40 pairs lies on the
# screen too.
source "$(dirname "$0")/lib.sh"

put_file 'C:\src\ALPHA.DLL' 'new alpha'
put_file 'C:\src\BETA.DLL' 'new beta'
put_file 'C:\target\ALPHA.DLL' 'old alpha'
put_file 'C:\target\BETA.DLL' 'old beta'

# Another program's replacing rename, and two replacements in the form Tessera
# records them: ALPHA's staged copy is there, DELTA's is not, so that the state
# column shows both its texts. (There is no DELTA at all: the restart that
# changes the screen fails its renames and loses nothing.)
queue_replacements() {
  put_file 'C:\target\ALPHA.DLL.new' 'new alpha'
  machine_reg add 'HKLM\System\CurrentControlSet\Control\Session Manager' \
    /v PendingFileRenameOperations /t REG_MULTI_SZ /f /d \
    '\??\C:\Other\app.dll.new\0!\??\C:\Other\app.dll\0\??\C:\target\ALPHA.DLL\0!\??\C:\target\ALPHA.DLL.old\0\??\C:\target\ALPHA.DLL.new\0!\??\C:\target\ALPHA.DLL\0\??\C:\target\DELTA.DLL\0!\??\C:\target\DELTA.DLL.old\0\??\C:\target\DELTA.DLL.new\0!\??\C:\target\DELTA.DLL'
}

# A journal of three entries the next start has nothing to tell of: ALPHA's,
# whose renames queue_replacements leaves pending, BETA's, canceled, and a
# long target's, long told: the longest outcome texts beside the longest times.
write_journal() {
  local plan='2026-03-04 10:22:31.123' old='2025-01-01 00:00:00.000' name number=0
  local facts=(9 '2026-01-01T00:00:00.0000000Z' '' 9 '2025-01-01T00:00:00.0000000Z' '')
  name='C:\Program Files\A Rather Long Folder Name\Another Level\LIBRARY WITH A LONG NAME.DLL'
  { journal_line "$old" 1 scheduled NT "$name" "$name.new" "$name.old" "${facts[@]}"
    journal_line "$old" 1 replaced "$plan"
    for name in ALPHA BETA; do
      journal_line "$plan" $((++number)) scheduled NT "C:\\target\\$name.DLL" "C:\\target\\$name.DLL.new" \
        "C:\\target\\$name.DLL.old" "${facts[@]}"
    done
    journal_line "$plan" 2 cancelled "$plan"
  } >"$(host_path "$journal_path")"
}

# The screen takes its size when the machine starts; programs read the DPI.
set_screen() {
  machine_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f
  machine_reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$2" /f
  restart_machine
}

# expect_on_screen TITLE NAME ID...: the dialog TITLE and its controls ID... lie
# within the screen.
expect_on_screen() {
  local title=$1 name=$2 width height left top right bottom id
  shift 2
  read -r width height < <(drive screen)
  for id in "" "$@"; do
    read -r left top right bottom < <(drive rect "$title" $id)
    if [ "$left" -lt 0 ] || [ "$top" -lt 0 ] || [ "$right" -gt "$width" ] || [ "$bottom" -gt "$height" ]; then
      fail "$name${id:+, control $id,} at $left,$top-$right,$bottom leaves the ${width}x$height screen"
      return
    fi
  done
  pass "$name and its buttons lie on the ${width}x$height screen"
}

# columns_hold TITLE LIST COLUMN...: each COLUMN of the list keeps the margin
# the list view itself gives a cell's text, and the columns together need no
# horizontal scroll bar (the list's frame is 2 pixels a side).
columns_hold() {
  local title=$1 list=$2 left right
  shift 2
  read -r left _ right _ < <(drive rect "$title" "$list")
  drive columns "$title" "$list" | awk -F'\t' -v room=$((right - left - 4)) -v checked="$*" '
    { width[NR - 1] = $1; widest[NR - 1] = $2; total += $1 }
    END {
      for (n = split(checked, column, " "); n > 0; --n)
        if (width[column[n]] < widest[column[n]] + 12) { printf "column %d: %d for %d\n", column[n], width[column[n]], widest[column[n]]; bad = 1 }
      if (total > room) { printf "columns of %d in %d\n", total, room; bad = 1 }
      exit bad
    }' >"$e2e_work/columns"
}

# Programs started from now on draw with the visual styles (1) or without (0).
set_visual_styles() {
  machine_reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /d "$1" /f
}

# The checks and screenshots at dpi; look names the screenshots. Under
# RIG_LANG=en_US.UTF-8 the program runs in code page 1252, in English.
look_at() {
  local dpi=$1 look=$2 widths expected pending_title tessera_row dialog_font main_width history_title
  scaled() { echo $((($1 * dpi + 48) / 96)); }
  if [ -n "${RIG_LANG:-}" ]; then
    e2e_code_page=CP1252 pending_title='Pending Operations' dialog_font='8 MS Shell Dlg' main_width=336
    history_title='Replacement History'
    tessera_row='Replace (Tessera)	C:\target\ALPHA.DLL.new	C:\target\ALPHA.DLL	Staged copy present	*'
  else
    e2e_code_page=CP932 pending_title='再起動待ちの操作' dialog_font='9 ＭＳ Ｐゴシック' main_width=319
    history_title='置換の記録'
    tessera_row='置換(Tessera)	C:\target\ALPHA.DLL.new	C:\target\ALPHA.DLL	置換用コピーあり	*'
  fi

  start_tessera
  # Under Wine, a program started on a desktop as large as the X screen can
  # put the pointer back in the middle, over the list, whose tooltip would
  # then cover the screenshot: the pointer goes aside once more.
  drive pointer 0 0
  add_pair 'C:\src\ALPHA.DLL' 'C:\target'
  add_pair 'C:\src\BETA.DLL' 'C:\target'
  [ "$(list_rows | wc -l)" -eq 2 ] || fail "rows: $(list_rows)"
  expect_on_screen Tessera "the main dialog at $dpi DPI" "$IDC_HELP_BUTTON" "$IDC_ABOUT" "$IDCANCEL" "$IDOK"
  widths=$(drive columns Tessera "$IDC_LIST" | cut -f 1 | tr '\n' ' ')
  expected="$(scaled 195) $(scaled 70) $(scaled 195) $(scaled 70) "
  [ "$widths" == "$expected" ] && pass "main list columns at $dpi DPI: $widths" ||
    fail "main list columns at $dpi DPI: $widths (expected $expected)"
  # The columns need no horizontal scroll bar: the list's frame is 2 pixels a side.
  read -r left _ right _ < <(drive rect Tessera "$IDC_LIST")
  [ $(($(tr ' ' '+' <<<"$widths")0)) -le $((right - left - 4)) ] &&
    pass "the main list holds its columns at $dpi DPI" ||
    fail "the main list, $((right - left)) pixels wide, scrolls its columns ($widths) at $dpi DPI"
  [ "$(drive tipwidth Tessera)" == "$(scaled 400)" ] && pass "tooltips wrap at $(scaled 400) pixels" ||
    fail "tooltip wrap width: $(drive tipwidth Tessera)"
  expect_roomy Tessera "the main dialog at $dpi DPI" "$main_width" "$dialog_font"
  screenshot "main-${dpi}dpi$look"

  drive syscommand Tessera "$IDM_PENDING"
  # Under load Wine may take over ten seconds to open it, as it may the main dialog.
  drive wait "$pending_title" 30000 || fail "the pending-operations dialog did not open"
  expect_on_screen "$pending_title" "the pending-operations dialog at $dpi DPI" "$IDC_CANCEL_REPLACEMENT" "$IDCANCEL"
  columns_hold "$pending_title" "$IDC_PENDING_LIST" 0 3 && pass "kind and state columns hold their texts at $dpi DPI" ||
    fail "pending columns at $dpi DPI: $(cat "$e2e_work/columns")"
  drive select "$pending_title" "$IDC_PENDING_LIST" 1
  [ "$(drive rows "$pending_title" "$IDC_PENDING_LIST" | sed -n 2p | iconv -f "$e2e_code_page" -t UTF-8)" == \
    "$tessera_row" ] ||
    fail "no Tessera row selected: $(drive rows "$pending_title" "$IDC_PENDING_LIST" | iconv -f "$e2e_code_page" -t UTF-8)"
  expect_roomy "$pending_title" "the pending-operations dialog at $dpi DPI" 340 "$dialog_font"
  screenshot "pending-${dpi}dpi$look"
  drive click "$pending_title" "$IDCANCEL"
  drive gone "$pending_title" 10000 || fail "the pending-operations dialog stayed"

  drive syscommand Tessera "$IDM_JOURNAL"
  drive wait "$history_title" 30000 || fail "the history did not open"
  expect_on_screen "$history_title" "the history at $dpi DPI" "$IDC_JOURNAL_RESTORE" "$IDCANCEL"
  columns_hold "$history_title" "$IDC_JOURNAL_LIST" 0 2 && pass "the history's columns hold their texts at $dpi DPI" ||
    fail "history columns at $dpi DPI: $(cat "$e2e_work/columns")"
  [ "$(drive rows "$history_title" "$IDC_JOURNAL_LIST" | wc -l)" -eq 3 ] ||
    fail "history rows: $(drive rows "$history_title" "$IDC_JOURNAL_LIST" | iconv -f "$e2e_code_page" -t UTF-8)"
  expect_roomy "$history_title" "the history at $dpi DPI" 340 "$dialog_font"
  drive select "$history_title" "$IDC_JOURNAL_LIST" 0
  screenshot "history-${dpi}dpi$look"
  drive click "$history_title" "$IDCANCEL"
  drive gone "$history_title" 10000 || fail "the history stayed"
  press "$IDCANCEL"
  expect_ended "the program ends at $dpi DPI"
}

# A plan of 40 pairs committed at dpi: its report opens in the window that
# scrolls, which lies on the screen with its OK button. In English under RIG_LANG.
long_report_at() {
  local dpi=$1 look=$2 summary='40件の置換を予約し、0件は予約しませんでした．' font='9 ＭＳ Ｐゴシック'
  e2e_code_page=CP932
  [ -z "${RIG_LANG:-}" ] || e2e_code_page=CP1252 summary='Replacements scheduled: 40. Not scheduled: 0.' font='8 MS Shell Dlg'
  start_tessera
  add_numbered_pairs "C:\\long$dpi$look" 40
  press "$IDOK"
  drive answer "$tessera_caption" "$IDYES" || fail "no confirmation at $dpi DPI"
  [ "$(drive text "$tessera_caption" "$IDC_LONG_TEXT" | iconv -f "$e2e_code_page" -t UTF-8 |
    head -n 1 | tr -d '\r')" == "$summary" ] && pass "the long report at $dpi DPI begins: $summary" ||
    fail "no long report at $dpi DPI that begins: $summary"
  expect_on_screen "$tessera_caption" "the long report at $dpi DPI" "$IDC_LONG_TEXT" "$IDOK"
  expect_roomy "$tessera_caption" "the long report at $dpi DPI" 320 "$font"
  screenshot "long-report-${dpi}dpi$look"
  drive click "$tessera_caption" "$IDOK"
  drive answer "$tessera_caption" "$IDNO" || fail "no restart prompt at $dpi DPI"
  expect_ended "the program ends after the long report at $dpi DPI"
}

for screen in "96 800x600" "144 1024x768"; do
  set_screen $screen
  queue_replacements
  write_journal
  set_visual_styles 1
  look_at ${screen% *} ""
  set_visual_styles 0
  look_at ${screen% *} -classic
  set_visual_styles 1
  RIG_LANG=en_US.UTF-8 look_at ${screen% *} -english
  long_report_at ${screen% *} ""
  RIG_LANG=en_US.UTF-8 long_report_at ${screen% *} -english
done
finish
