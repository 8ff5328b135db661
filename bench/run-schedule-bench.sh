#!/usr/bin/env bash
# Builds schedule_bench and runs it under Wine in a machine of its own (a clone
# of the rig's template), so that its recorded renames touch no other prefix.
#   bench/run-schedule-bench.sh [BUILD]   (default: build/win32)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win32}
rig=scripts/wine-rig
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target schedule_bench >/dev/null
started_rig=no
if [ ! -f "$build/wine/template/.tessera-ready" ]; then
  "$rig" up "$build"
  started_rig=yes
fi
prefix=$("$rig" clone "$build" bench | tail -n 1)
cp "$build/bench/schedule_bench.exe" "$prefix/drive_c/"
"$rig" exec "$prefix" wine 'C:\schedule_bench.exe' 'C:\bench'
"$rig" exec "$prefix" wineserver -k 2>/dev/null || true
rm -rf "$prefix"
if [ "$started_rig" = yes ]; then "$rig" down "$build"; fi
