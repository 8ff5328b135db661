#!/usr/bin/env bash
# Checks the form of TESSERA.EXE and that its import table names only DLLs
# that every Windows release has, and no function that NT 4.0 or 98 lacks.
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
dump=$(i686-w64-mingw32-objdump -p "$exe")
fail=0
complain() { echo "FAIL: $*"; fail=1; }

grep -q 'Magic.*010b.*(PE32)' <<<"$dump" || complain "not PE32"
grep -q 'file format pei-i386' <<<"$dump" || complain "not i386"
grep -qE 'Subsystem\s+00000002' <<<"$dump" || complain "not a GUI program"
characteristics=$(awk '/DllCharacteristics/ {print $2}' <<<"$dump")
(( 0x$characteristics & 0x40 )) || complain "ASLR (dynamic base) not set"
(( 0x$characteristics & 0x100 )) || complain "DEP (NX compatible) not set"

# Libraries such as COMCTL32 and VERSION are loaded from the system directory
# at run time, so they must not be in the import table.
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|COMDLG32|MSVCRT)\.DLL$'
while read -r dll; do
  [[ ${dll^^} =~ $allowed ]] || complain "imports $dll"
done < <(awk '/DLL Name:/ {print $3}' <<<"$dump")

imports=$(awk '/DLL Name:/ {inside=1; next} inside && NF==3 && $1 ~ /^[0-9a-f]+$/ {print $3}' <<<"$dump")
[ -n "$imports" ] || complain "no imports read"
while read -r name; do
  [[ -z $name || $name == \#* ]] && continue
  grep -qx "$name" <<<"$imports" && complain "imports $name, which NT 4.0 or 98 lacks"
done <"$here/newer_than_nt4_or_98.txt"

[ $fail -eq 0 ] && echo "$(grep -c . <<<"$imports") imports, all present on NT 4.0 and 98"
exit $fail
