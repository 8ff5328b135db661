#!/usr/bin/env bash
# Measures the program's start-up under Wine against the yardstick (a dialog
# program that does the duties of every start) and a minimal dialog program,
# both built by the same toolchain, and prints the executable's size and imports.
# It measures the build that this host runs (scripts/host-build) and says which;
# the size of the other build, a static fact, is printed too where its tree is
# configured (cmake --preset win32 or win64).
# With ENTRIES, the machine's journal (TESSERA.LOG) first holds that many
# entries, all told, which every start reads.
#
#   bench/run-startup-bench.sh [STARTS [ENTRIES]]
set -euo pipefail
cd "$(dirname "$0")/.."
read -r preset exe < <(scripts/host-build)
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target tessera yardstick_dialog minimal_dialog startup_bench \
  journal_fill >/dev/null
echo "measured build:               $preset ($exe)"
# Both executables against the size goal: the other build too, brought up to
# date first, where its tree is configured.
for pair in "win32 TESSERA.EXE" "win64 TESSERA64.EXE"; do
  read -r each_preset each_exe <<<"$pair"
  if [ "$each_preset" != "$preset" ] && [ -f "build/$each_preset/CMakeCache.txt" ]; then
    cmake --build --preset "$each_preset" --target tessera >/dev/null
  fi
  if [ -f "build/$each_preset/$each_exe" ]; then
    size=$(stat -c %s "build/$each_preset/$each_exe")
    tenths=$(( (size * 10 + 512) / 1024 ))
    printf '%-30s%s\n' "$each_exe size:" \
      "$size bytes ($((tenths / 10)).$((tenths % 10)) KiB; goal: under 256 KiB)"
  else
    printf '%-30s%s\n' "$each_exe size:" "not built (cmake --preset $each_preset)"
  fi
done
echo "imported DLLs:                $(objdump -p "build/$preset/$exe" | awk '/DLL Name:/ {print $3}' | tr '\n' ' ')"
build=$PWD/build/$preset
rig=$PWD/scripts/wine-rig
"$rig" up "$build"
trap '"$rig" down "$build"' EXIT
prefix=$("$rig" clone "$build" startup-bench | tail -n 1)
mkdir -p "$prefix/drive_c/bench"
cp "$build/$exe" "$build/bench/YARDSTICK.EXE" "$build/bench/MINIMAL.EXE" "$build/bench/startup_bench.exe" \
  "$prefix/drive_c/bench/"

if [ -n "${2:-}" ]; then
  cp "$build/bench/journal_fill.exe" "$prefix/drive_c/bench/"
  "$rig" exec "$prefix" wine 'C:\bench\journal_fill.exe' 'C:\windows\TESSERA.LOG' "$2"
fi
"$rig" exec "$prefix" wine 'C:\bench\startup_bench.exe' "C:\\bench\\$exe" Tessera \
    'C:\bench\YARDSTICK.EXE' Yardstick 'C:\bench\MINIMAL.EXE' Minimal "${1:-20}"
