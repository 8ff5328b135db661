#!/usr/bin/env bash
# Measures the program's start-up under Wine against the yardstick (a dialog
# program that does the duties of every start) and a minimal dialog program,
# both built by the same toolchain, and prints the executable's size and imports.
# It measures the build that this host runs (scripts/host-build) and says which.
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

size=$(stat -c %s "$build/$exe")
echo "measured build:               $preset ($exe)"
printf '%-30s%s\n' "$exe size:" "$size bytes ($((size / 1024)) KiB; goal: under 400 KiB)"
echo "imported DLLs:                $(objdump -p "$build/$exe" | awk '/DLL Name:/ {print $3}' | tr '\n' ' ')"
"$rig" exec "$prefix" wine 'C:\bench\startup_bench.exe' "C:\\bench\\$exe" Tessera \
    'C:\bench\YARDSTICK.EXE' Yardstick 'C:\bench\MINIMAL.EXE' Minimal "${1:-20}"
