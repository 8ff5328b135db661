#!/usr/bin/env bash
# Measures TESSERA.EXE's start-up under Wine against a minimal dialog program
# built by the same toolchain, and prints the executable's size and imports.
#
#   bench/run-startup-bench.sh [STARTS]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target tessera minimal_dialog startup_bench >/dev/null
build=$PWD/build/win32
rig=$PWD/scripts/wine-rig
"$rig" up "$build"
trap '"$rig" down "$build"' EXIT
prefix=$("$rig" clone "$build" startup-bench | tail -n 1)
mkdir -p "$prefix/drive_c/bench"
cp "$build/TESSERA.EXE" "$build/bench/MINIMAL.EXE" "$build/bench/startup_bench.exe" "$prefix/drive_c/bench/"

size=$(stat -c %s "$build/TESSERA.EXE")
echo "TESSERA.EXE size:             $size bytes ($((size / 1024)) KiB; goal: under 400 KiB)"
echo "imported DLLs:                $(i686-w64-mingw32-objdump -p "$build/TESSERA.EXE" | awk '/DLL Name:/ {print $3}' | tr '\n' ' ')"
"$rig" exec "$prefix" wine 'C:\bench\startup_bench.exe' 'C:\bench\TESSERA.EXE' Tessera \
    'C:\bench\MINIMAL.EXE' Minimal "${1:-20}"
