#!/usr/bin/env bash
# Entries of one plan whose names meet: on NT a file and the file under its
# backup name (X.DLL with X.DLL.old), also when the two reach their folder by
# other roads (a second drive letter, \\?\) or spell it in other letter case
# (ＸＸ, ｘｘ); on 9x a file and the file under its short backup name (FOO.DLL
# with FOO.OLD). The entry whose backup rename would overwrite another target
# is refused; so is one whose folder another program's records move away,
# one whose names would be too long for the restart, a name that is a link,
# a file whose own name the code page cannot write, and on 9x an entry whose
# lines wininit.ini could no longer hold. A file with a second name, a folder
# entered by its alias and a name of 259 bytes but 200 characters are
# replaced.
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

# Files with two names. C:\k\X.DLL.old is a symbolic link to Y.DLL.old beside
# it, as mklink makes one (Wine shows it as a plain file): Y.DLL's backup
# rename would overwrite the file that a planned target leads to, and the
# link is refused, as Windows renames the link itself where Wine moves the
# file. H.DLL has a second name, C:\k2\H2.DLL (a hard link, as the component
# store gives most system files): it is replaced, the other name keeps the
# old bytes.
put_file 'C:\k\Y.DLL' 'old Y.DLL'
put_file 'C:\k\Y.DLL.old' 'old Y.DLL.old'
ln -sfn Y.DLL.old "$(host_path 'C:\k\X.DLL.old')"
put_file 'C:\k\H.DLL' 'old H.DLL'
mkdir -p "$(host_path 'C:\k2')"
ln -f "$(host_path 'C:\k\H.DLL')" "$(host_path 'C:\k2\H2.DLL')"
for name in Y.DLL X.DLL.old H.DLL; do put_file "C:\\s4\\$name" "new $name"; done
commit_plan 'C:\k' "C:\\s4\\Y.DLL
 → C:\\k\\Y.DLL
C:\\k\\Y.DLL.old$queued_text

C:\\s4\\X.DLL.old
 → C:\\k\\X.DLL.old
C:\\k\\X.DLL.oldはシンボリック リンクなどの再解析ポイントのため、再起動時の名前の変更が何を動かすか確かではありません．
置換は予約されていません．リンクの指す先のファイルを置換先として指定してください．

C:\\s4\\H.DLL
 → C:\\k\\H.DLL
$done_text

" 'C:\s4\Y.DLL' 'C:\s4\X.DLL.old' 'C:\s4\H.DLL'
restart_machine
holds 'C:\k\Y.DLL' 'old Y.DLL' && holds 'C:\k\Y.DLL.old' 'old Y.DLL.old' &&
  [ -L "$(host_path 'C:\k\X.DLL.old')" ] && holds 'C:\k\X.DLL.old' 'old Y.DLL.old' &&
  holds 'C:\k\H.DLL' 'new H.DLL' && holds 'C:\k\H.DLL.old' 'old H.DLL' &&
  holds 'C:\k2\H2.DLL' 'old H.DLL' && [ "$(ls "$(host_path 'C:\k')" | wc -l)" -eq 5 ] &&
  pass "NT, files with two names: the link and the entry that met it refused, the hard link replaced" ||
  fail "NT, two names, after the restart: $(cd "$(host_path 'C:\')" && grep -rH . k k2)"

# Names the code page cannot write, each beside its best-fit twin, which is in
# no plan: the folder C:\Ünï, entered by its alias, beside C:\Uni; the file
# C:\b\ßeta.dll, entered by its alias, beside seta.dll. The records keep the
# folder's alias; the file would lose its own name, and is refused.
put_file 'C:\Ünï\X.DLL' 'old X.DLL'
put_file 'C:\Uni\X.DLL' 'twin X.DLL'
put_file 'C:\b\ßeta.dll' 'old beta'
put_file 'C:\b\seta.dll' 'twin seta'
folder_alias=$(drive aliases 'C:' | awk -F'\t' '$2 == "Ünï" { print $1 }')
file_alias=$(drive aliases 'C:\b' | awk -F'\t' '$2 == "ßeta.dll" { print $1 }')
if [ -z "$folder_alias" ] || [ "$folder_alias" == Uni ] || [ -z "$file_alias" ]; then
  echo "set-up fault: no alias for C:\\Ünï ('$folder_alias') or C:\\b\\ßeta.dll ('$file_alias')"
  exit 3
fi
put_file 'C:\s5\X.DLL' 'new X.DLL'
put_file "C:\\s5\\$file_alias" 'new beta'
start_tessera
add_pair 'C:\s5\X.DLL' "C:\\$folder_alias"
add_pair "C:\\s5\\$file_alias" 'C:\b'
commit_started "C:\\s5\\X.DLL
 → C:\\$folder_alias\\X.DLL
$done_text

C:\\s5\\$file_alias
 → C:\\b\\$file_alias
C:\\b\\${file_alias}の本来の名前にはこのシステムのコード ページで書けない文字があるため、再起動後に新しいファイルにその名前を付けられません．
置換は予約されていません．

"
restart_machine
holds 'C:\Ünï\X.DLL' 'new X.DLL' && holds 'C:\Ünï\X.DLL.old' 'old X.DLL' &&
  holds 'C:\Uni\X.DLL' 'twin X.DLL' && [ "$(ls "$(host_path 'C:\Uni')")" == X.DLL ] &&
  holds 'C:\b\ßeta.dll' 'old beta' && holds 'C:\b\seta.dll' 'twin seta' &&
  [ "$(ls "$(host_path 'C:\b')" | wc -l)" -eq 2 ] &&
  pass "NT, names the code page cannot write: the planned folder's file replaced, no twin touched" ||
  fail "NT, unwritable names, after the restart: $(cd "$(host_path 'C:\')" && grep -rH . Ünï Uni b)"

# A target of 200 characters and 259 bytes: its staged copy and backup have
# 204 characters and 263 bytes, which the restart takes, as it counts
# characters.
wide_folder="C:\\$(printf '表%.0s' $(seq 59))"
wide_name="$(printf 'W%.0s' $(seq 133)).DLL"
put_file "$wide_folder\\$wide_name" 'old wide'
put_file "C:\\s6\\$wide_name" 'new wide'
commit_plan "$wide_folder" "C:\\s6\\$wide_name
 → $wide_folder\\$wide_name
$done_text

" "C:\\s6\\$wide_name"
restart_machine
holds "$wide_folder\\$wide_name" 'new wide' && holds "$wide_folder\\$wide_name.old" 'old wide' &&
  pass "NT, a target of 259 bytes and 200 characters replaced" ||
  fail "NT, 200 characters, after the restart: $(ls "$(host_path "$wide_folder")")"

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

# wininit.ini just short of the size Tessera reads back: the first entry's
# lines fit, the second's would not, and it is refused before its copy.
put_file 'C:\w9\A.DLL' 'old A.DLL'
put_file 'C:\w9\B.DLL' 'old B.DLL'
for name in A.DLL B.DLL; do put_file "C:\\s9b\\$name" "new $name"; done
wininit=$(host_path 'C:\windows\wininit.ini')
{
  printf '[rename]\r\n'
  for i in $(seq 38830); do printf 'NUL=C:\\w9\\gone\\F%05d.TMP\r\n' "$i"; done
} >"$wininit"
pad=$((1024 * 1024 - 80 - $(stat -c %s "$wininit") - 17))
printf 'NUL=C:\\w9\\gone\\%s\r\n' "$(head -c "$pad" /dev/zero | tr '\0' Z)" >>"$wininit"
[ "$(stat -c %s "$wininit")" -eq $((1024 * 1024 - 80)) ] ||
  { echo "set-up fault: wininit.ini is $(stat -c %s "$wininit") bytes"; exit 3; }
commit_plan 'C:\w9' "C:\\s9b\\A.DLL
 → C:\\w9\\A.DLL
$done_text

C:\\s9b\\B.DLL
 → C:\\w9\\B.DLL
再起動時の処理の予約が読み取れる大きさを超えてしまうため置換は予約されていません．

" 'C:\s9b\A.DLL' 'C:\s9b\B.DLL'
! exists 'C:\w9\B.NEW' && pass "9x: the refused entry left no staged copy" ||
  fail "C:\\w9\\B.NEW was left behind"
restart_machine
holds 'C:\w9\A.DLL' 'new A.DLL' && holds 'C:\w9\A.OLD' 'old A.DLL' && holds 'C:\w9\B.DLL' 'old B.DLL' &&
  [ "$(ls "$(host_path 'C:\w9')" | wc -l)" -eq 3 ] &&
  pass "9x, wininit.ini near its size: the entry that fits replaced, the other untouched" ||
  fail "9x, full wininit.ini, after the restart: $(cd "$(host_path 'C:\w9')" && grep -H . ./*)"
finish
