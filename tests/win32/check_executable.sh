#!/usr/bin/env bash
# Checks the form of the executable without running it: PE32 for i386
# (win32) or PE32+ for x86-64 (win64), a GUI program with ASLR and DEP, every
# dialog and string in Japanese (0x0411) and English (0x0409), the English ones
# in ASCII, the other resources in Japanese, a manifest that asks for the common controls 6 of
# the build's processor and declares DPI awareness, and an import table that
# names only DLLs that every Windows release has, and no function that the
# oldest supported Windows lacks.
#   check_executable.sh EXE win32|win64
set -euo pipefail
exe=$1 arch=$2
here=$(cd "$(dirname "$0")" && pwd)
case $arch in
  win32) tools=i686-w64-mingw32 magic='010b.*(PE32)' format=pei-i386 processor=x86 ;;
  win64) tools=x86_64-w64-mingw32 magic='020b.*(PE32+)' format=pei-x86-64 processor=amd64 ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
dump=$($tools-objdump -p "$exe")
fail=0
complain() { echo "FAIL: $*"; fail=1; }

grep -q "Magic.*$magic" <<<"$dump" || complain "not ${magic#*(}"
grep -q "file format $format\$" <<<"$dump" || complain "not $format"
grep -qE 'Subsystem\s+00000002' <<<"$dump" || complain "not a GUI program"
characteristics=$(awk '/DllCharacteristics/ {print $2}' <<<"$dump")
(( 0x$characteristics & 0x40 )) || complain "ASLR (dynamic base) not set"
(( 0x$characteristics & 0x100 )) || complain "DEP (NX compatible) not set"

# The decompiled resources name each language where it changes (17: Japanese,
# 9: English) and write a text beyond ASCII as L"..." with \x or octal escapes.
resources=$($tools-windres -i "$exe" -O rc)
languages=$(grep '^LANGUAGE' <<<"$resources" | sort -u | paste -sd' ')
[ "$languages" = "LANGUAGE 17, 1 LANGUAGE 9, 1" ] || complain "resource languages: ${languages:-none}"
# Per language, the dialogs and strings it defines; English lines beyond ASCII.
defined=$(awk '
  /^LANGUAGE/ { language = $2 + 0; next }
  /^[0-9]+ DIALOG/ { print language, "dialog", $1 }
  /^STRINGTABLE/ { strings = 1 }
  strings && /^END/ { strings = 0 }
  strings && /^  [0-9]+,/ { sub(",", "", $1); print language, "string", $1 }
  language == 9 && /L"[^"]*\\([0-7]|x)/ { print "non-ASCII:", $0 }' <<<"$resources")
while read -r line; do complain "English resource text $line"; done < <(grep '^non-ASCII' <<<"$defined")
japanese=$(sed -n 's/^17 //p' <<<"$defined" | sort)
english=$(sed -n 's/^9 //p' <<<"$defined" | sort)
[ -n "$japanese" ] && [ "$japanese" = "$english" ] ||
  complain "dialogs and strings differ between the languages:"$'\n'"$(diff <(echo "$japanese") <(echo "$english"))"

# The manifest (resource 1 of type 24), joined from the quoted lines windres writes.
manifest=$(cat <<<"$resources" |
  awk '/^1 24 / {inside=1; next} inside && /^END/ {exit} inside && /^ *"/' |
  sed -E 's/^ *"//; s/"$//; s/\\n$//; s/""/"/g' | tr -d '\n')
grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$manifest" ||
  complain "the manifest asks for no common controls 6"
processors=$(grep -o 'processorArchitecture="[^"]*"' <<<"$manifest" | sort -u)
[ "$processors" = "processorArchitecture=\"$processor\"" ] ||
  complain "manifest processors: ${processors:-none} (want $processor)"
grep -q '<dpiAware [^>]*>true</dpiAware>' <<<"$manifest" || complain "the manifest declares no DPI awareness"

# Libraries such as COMCTL32 and VERSION are loaded from the system directory
# at run time, so they must not be in the import table.
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|COMDLG32|MSVCRT)\.DLL$'
while read -r dll; do
  [[ ${dll^^} =~ $allowed ]] || complain "imports $dll"
done < <(awk '/DLL Name:/ {print $3}' <<<"$dump")

imports=$(awk '/DLL Name:/ {inside=1; next} inside && NF==3 && $1 ~ /^[0-9a-f]+$/ {print $3}' <<<"$dump")
[ -n "$imports" ] || complain "no imports read"
floor="NT 4.0 or 98"; [ "$arch" = win64 ] && floor="64-bit XP"
while read -r name; do
  [ "$arch" = win64 ] && [ "$name" = "# 32-bit only" ] && break
  [[ -z $name || $name == \#* ]] && continue
  grep -qx "$name" <<<"$imports" && complain "imports $name, which $floor lacks"
done <"$here/newer_than_supported.txt"

[ $fail -eq 0 ] && echo "$arch: $format, GUI, $(grep -c . <<<"$english") dialogs and strings in 0x0411 and 0x0409, manifest for $processor, $(grep -c . <<<"$imports") imports, all present on $floor"
exit $fail
