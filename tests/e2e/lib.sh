# Shared by the end-to-end scenarios: a fresh Wine machine with the program
# (TESSERA.EXE or TESSERA64.EXE) in C:\Tessera, driven only from outside
# through its windows, as a user would.
# Texts in these scripts are UTF-8; what the program shows is compared as
# bytes of the machine's ANSI code page: 932, or where RIG_LANG runs the
# scenario in another locale (en_US.UTF-8, zh_CN.UTF-8), that locale's.
#
# Each scenario is called as: scenario.sh BUILD TESSERA.EXE window_driver.exe HELP.HTM
set -euo pipefail

e2e_build=$1 e2e_exe=$2 e2e_driver=$3 e2e_help=$4
e2e_rig=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)/wine-rig
e2e_name=$(basename "$0" .sh)${RIG_LANG:+-${RIG_LANG%%.*}}
case ${RIG_LANG:-ja_JP} in
  ja_JP*) e2e_code_page=CP932 ;;
  zh_CN*) e2e_code_page=CP936 ;;
  ko_KR*) e2e_code_page=CP949 ;;
  *) e2e_code_page=CP1252 ;;
esac
e2e_work=$e2e_build/e2e/$e2e_name
e2e_shots=$e2e_build/screenshots
e2e_failures=0
# The program's file name, and its message boxes' caption: its base name.
tessera_exe=$(basename "$e2e_exe")
tessera_caption=${tessera_exe%.*}
# The identifiers of the program's resources, named as in res/resource.h
# (IDC_ADD, IDM_PENDING, ...), and the standard buttons of dialogs and boxes.
eval "$(sed -nE 's/^#define (ID[A-Z0-9_]+) ([0-9]+|0x[0-9A-Fa-f]+)$/\1=\2/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../../res/resource.h")"
IDOK=1 IDCANCEL=2 IDYES=6 IDNO=7
rm -rf "$e2e_work"
mkdir -p "$e2e_work" "$e2e_shots"

# A fresh machine of this scenario's own, with the program and the driver.
# A scenario may ask for a machine of another architecture (e2e_machine_arch).
prefix=$("$e2e_rig" clone "$e2e_build" "e2e-$e2e_name" ${e2e_machine_arch:-} | tail -n 1)
mkdir -p "$prefix/drive_c/Tessera"
cp "$e2e_exe" "$e2e_driver" "$prefix/drive_c/Tessera/"

in_wine() { "$e2e_rig" exec "$prefix" wine "$@"; }
# The machine's registry in the view its own programs read (wine-rig reg).
machine_reg() { "$e2e_rig" reg "$prefix" "$@"; }
drive() { in_wine 'C:\Tessera\window_driver.exe' "$@"; }
fail() { echo "FAIL: $*"; e2e_failures=$((e2e_failures + 1)); }
pass() { echo "ok: $*"; }
# A passed scenario's machine is not looked at again; a failed one is kept.
finish() {
  if [ "$e2e_failures" -eq 0 ]; then
    "$e2e_rig" remove "$prefix"
    echo "$e2e_name: all passed"
  fi
  exit "$e2e_failures"
}

# The Linux path of a path on drive C of the machine.
host_path() {
  local path=${1#C:\\}
  echo "$prefix/drive_c/${path//\\//}"
}

# Writes text (UTF-8) to a Windows path as bytes.
put_file() { mkdir -p "$(dirname "$(host_path "$1")")"; printf '%s' "$2" >"$(host_path "$1")"; }
same_bytes() { cmp -s "$(host_path "$1")" "$(host_path "$2")"; }
exists() { [ -e "$(host_path "$1")" ]; }

set_windows_version() {
  machine_reg add "HKCU\\Software\\Wine\\AppDefaults\\$tessera_exe" /v Version /d "$1" /f
}

tessera_pid=
start_tessera() {
  # The pointer waits in a corner, so that no tooltip covers a screenshot.
  drive pointer 0 0 || fail "could not move the pointer aside"
  in_wine "C:\\Tessera\\$tessera_exe" &
  tessera_pid=$!
  drive wait Tessera 30000 || fail "the main dialog did not open"
}
# The program must end by itself within a few seconds.
expect_ended() {
  if timeout 20 tail --pid="$tessera_pid" -f /dev/null; then
    pass "$1"
  else
    fail "$1: the program did not end"
    kill "$tessera_pid" 2>/dev/null || true
  fi
}

screenshot() {
  local shot=$e2e_shots/$e2e_name-$1.png colours
  DISPLAY=$(cat "$e2e_build/wine/display") import -window root "$shot"
  # A blank or nearly blank picture shows nothing worth looking at.
  colours=$(convert "$shot" -format %k info:)
  [ "$colours" -gt 16 ] || fail "$shot has only $colours colours"
}

# Waits for a message box captioned CAPTION, checks that its text is EXPECTED
# (UTF-8, compared as bytes of the code page), optionally takes a screenshot,
# and presses button ANSWER ($IDOK, $IDYES, $IDNO).
expect_box() {
  local caption=$1 expected=$2 answer=$3 shot=${4:-}
  if ! drive msgbox "$caption" 20000 >"$e2e_work/box.txt"; then
    fail "no message box '$caption' (expected: $expected)"
    return
  fi
  if printf '%s' "$expected" | iconv -f UTF-8 -t "$e2e_code_page" | cmp -s - "$e2e_work/box.txt"; then
    pass "box: ${expected%%$'\n'*}"
  else
    fail "box text differs; expected:"$'\n'"$expected"$'\n'"shown:"$'\n'"$(iconv -f "$e2e_code_page" -t UTF-8 "$e2e_work/box.txt")"
  fi
  [ -n "$shot" ] && screenshot "$shot"
  drive answer "$caption" "$answer" || fail "could not answer the box"
}

# As expect_box, for the window that shows a text too long for a box: it shows
# SUMMARY, an empty line and TEXT, each line break a CR LF; OK closes it.
expect_long_text() {
  local caption=$1 summary=$2 shot=${4:-}
  drive text "$caption" "$IDC_LONG_TEXT" >"$e2e_work/long.txt" || fail "no long text '$caption'"
  printf '%s\n\n%s' "$summary" "$3" | sed -z 's/\n/\r\n/g' | iconv -f UTF-8 -t "$e2e_code_page" |
    cmp -s - "$e2e_work/long.txt" && pass "long text: $summary" ||
    fail "long text differs; shown:"$'\n'"$(iconv -f "$e2e_code_page" -t UTF-8 "$e2e_work/long.txt" | tr -d '\r')"
  [ -n "$shot" ] && screenshot "$shot"
  drive click "$caption" "$IDOK"
}

# The list's rows, UTF-8, one line per row, cells joined by tabs.
list_rows() { drive rows Tessera "$IDC_LIST" | iconv -f "$e2e_code_page" -t UTF-8; }
field() { drive text Tessera "$1" | iconv -f "$e2e_code_page" -t UTF-8; }
set_field() { drive settext Tessera "$1" "$2"; }
press() { drive click Tessera "$1"; }

expect_rows() {
  local expected=$1 actual
  actual=$(list_rows)
  if [ "$actual" == "$expected" ]; then pass "rows: ${2:-as expected}"
  else fail "rows differ; expected:"$'\n'"$expected"$'\n'"shown:"$'\n'"$actual"; fi
}

# Adds a pair through the two fields and the add button.
add_pair() {
  set_field "$IDC_SOURCE_EDIT" "$1"
  set_field "$IDC_TARGET_EDIT" "$2"
  press "$IDC_ADD"
}

# A plan of COUNT numbered pairs, added in number order: the new FILE01.DLL,
# FILE02.DLL ... in FOLDER\src, each for the old file of its name in FOLDER\target.
add_numbered_pairs() {
  local i pairs=()
  for i in $(seq -w 1 "$2"); do
    put_file "$1\\src\\FILE$i.DLL" "new FILE$i.DLL"
    put_file "$1\\target\\FILE$i.DLL" "old FILE$i.DLL"
    pairs+=("$1\\src\\FILE$i.DLL" "$1\\target")
  done
  drive addpairs Tessera "$IDC_SOURCE_EDIT" "$IDC_TARGET_EDIT" "$IDC_ADD" "${pairs[@]}"
}

restart_machine() { "$e2e_rig" restart "$prefix"; }

# expect_roomy TITLE NAME WIDTH FONT: every button and label of the dialog,
# whose template is WIDTH units wide, holds its text in the template's FONT
# ("POINTS FACE").
expect_roomy() {
  local cramped
  cramped=$(drive cramped "$1" "${4%% *}" "${4#* }" "$3" | iconv -f "$e2e_code_page" -t UTF-8)
  [ -z "$cramped" ] && pass "every text of $2 fits its control" ||
    fail "texts of $2 that do not fit (id, width, room, text):"$'\n'"$cramped"
}

# A machine made in the Japanese locale keeps its system fonts (captions, menus,
# message boxes) in the Japanese character set, which Wine then draws with a
# Japanese font in any code page, the backslash as a yen sign. An English
# Windows keeps them in the ANSI set (0, the byte at offset 23 of each LOGFONT).
use_ansi_system_fonts() {
  local key='HKCU\Control Panel\Desktop\WindowMetrics' name value
  for name in CaptionFont SmCaptionFont MenuFont MessageFont StatusFont IconFont; do
    value=$(machine_reg query "$key" /v "$name" 2>/dev/null | tr -d '\r' |
      sed -n "s/.*$name *REG_BINARY *//p")
    [ "${#value}" -ge 48 ] || continue
    machine_reg add "$key" /v "$name" /t REG_BINARY /d "${value:0:46}00${value:48}" /f
  done
}

# Chooses the restore command of the main dialog's system menu and opens FILE
# in its file dialog; a bare name is taken in the folder the dialog starts in.
restore_title='元に戻すファイルを選択してください'
restore_file() {
  drive syscommand Tessera "$IDM_RESTORE"
  drive openfile "$restore_title" "$1" || fail "could not choose $1 to restore"
}

# What the machine will do at its next restart: the pending renames, one
# "from > to" line each ("!" marks replace-existing).
pending_renames() {
  machine_reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
      /v PendingFileRenameOperations 2>/dev/null | iconv -f "$e2e_code_page" -t UTF-8 | tr -d '\r' |
    sed -n 's/.*REG_MULTI_SZ *//p' | sed 's/\\0/\n/g' | sed '/^$/d' | paste -d'>' - - |
    sed 's/>/ > /'
}

session_manager='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Session Manager'
# Strings in UTF-16LE, each with its NUL, as the hex pairs of a registry file.
utf16_hex() {
  printf '%s\0' "$@" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ' ' |
    sed 's/^ //; s/ $//; s/ /,/g'
}
# Makes PendingFileRenameOperations hold exactly the given strings (source,
# destination, ...), as MoveFileEx leaves them; a value that does not read
# back so is a set-up fault.
set_pending_renames() {
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s]\r\n"PendingFileRenameOperations"=hex(7):%s\r\n' \
    "$session_manager" "$(utf16_hex "$@"),00,00" | iconv -f UTF-8 -t UTF-16 >"$(host_path 'C:\queue.reg')"
  machine_reg import 'C:\queue.reg' >/dev/null
  local expected='' i j
  for ((i = 1; i < $#; i += 2)); do
    j=$((i + 1))
    expected+="${!i} > ${!j}"$'\n'
  done
  if [ "$(pending_renames)" != "${expected%$'\n'}" ]; then
    echo "set-up fault: PendingFileRenameOperations reads"$'\n'"$(pending_renames)"
    exit 2
  fi
}

# The journal in the machine's Windows folder, read as UTF-8 lines without CRs.
journal_path='C:\windows\TESSERA.LOG'
journal_text() { iconv -f "$e2e_code_page" -t UTF-8 "$(host_path "$journal_path")" | tr -d '\r'; }
# The journal's lines that tell an outcome (the third field), as "target
# outcome" for the targets of the scheduled lines they name.
journal_outcomes() {
  journal_text | awk -F'\t' '$3 == "scheduled" { target[$1 "#" $2] = $5; next }
                             NF == 5 && ($1 "#" $2) in target { print target[$1 "#" $2] " " $3 }'
}
# A journal line of the given fields (UTF-8), in the machine's code page,
# sealed as Tessera seals it: a tab, the CRC-32 of the bytes before it (the
# CRC that gzip keeps in its trailer) in hex, CR LF.
journal_line() {
  local fields crc
  fields=$(IFS=$'\t'; printf '%s' "$*" | iconv -f UTF-8 -t "$e2e_code_page")
  crc=$(printf '%s' "$fields" | gzip -c | tail -c 8 | head -c 4 | od -An -tx4 | tr -d ' \n' |
    tr a-f A-F)
  printf '%s\t%s\r\n' "$fields" "$crc"
}

# Starts the program when a box is due before its main dialog.
start_tessera_to_box() {
  drive pointer 0 0 || fail "could not move the pointer aside"
  in_wine "C:\\Tessera\\$tessera_exe" &
  tessera_pid=$!
}
# No box of the program shows within a few seconds, and the main dialog opens.
expect_quiet_start() {
  start_tessera_to_box
  if drive msgbox "$tessera_caption" 4000 >"$e2e_work/box.txt"; then
    fail "$1: a box at start: $(iconv -f "$e2e_code_page" -t UTF-8 "$e2e_work/box.txt")"
    drive answer "$tessera_caption" "$IDOK" || drive answer "$tessera_caption" "$IDNO"
  else
    pass "$1"
  fi
  drive wait Tessera 30000 || fail "the main dialog did not open"
}
