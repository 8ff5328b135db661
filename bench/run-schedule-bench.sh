#!/usr/bin/env bash
# Builds schedule_bench and runs it under Wine in a machine of its own (a clone
# of the rig's template), so that its recorded renames touch no other prefix.
# It measures the build that this host runs (scripts/host-build) and says which.
#   bench/run-schedule-bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
read -r preset exe < <(scripts/host-build)
build=build/$preset
rig=scripts/wine-rig
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target schedule_bench >/dev/null
echo "measured build: $preset (the scheduler as $exe runs it)"
started_rig=no
if [ ! -f "$build/wine/default/system.reg" ]; then
  "$rig" up "$build"
  started_rig=yes
fi
prefix=$("$rig" clone "$build" bench | tail -n 1)
cp "$build/bench/schedule_bench.exe" "$prefix/drive_c/"
"$rig" exec "$prefix" wine 'C:\schedule_bench.exe' 'C:\bench'
"$rig" exec "$prefix" wineserver -k 2>/dev/null || true
rm -rf "$prefix"
if [ "$started_rig" = yes ]; then "$rig" down "$build"; fi
