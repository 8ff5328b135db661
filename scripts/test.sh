#!/usr/bin/env bash
# Builds every tree and runs every test: the portable unit tests natively (with
# sanitizers), a bounded run of the restart queue's fuzz target from a fixed
# seed, then under Wine the same unit tests, the tests against the real
# Windows services and the end-to-end runs of the program, for each build the
# host can run: TESSERA64.EXE always (wine64), TESSERA.EXE where the host runs
# 32-bit code. A build the host cannot run gets the static checks of its
# executable (form, resources, import table).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in native win32 win64 fuzz; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset
done

failed=()
ctest --preset native || failed+=(native)
ctest --test-dir build/fuzz --output-on-failure || failed+=(fuzz)
under_wine=(win64) static_only=()
if scripts/runs-i386; then under_wine=(win32 win64); else static_only=(win32); fi
for preset in "${under_wine[@]}"; do
  ctest --preset $preset || failed+=($preset)
done
for preset in "${static_only[@]}"; do
  ctest --preset $preset -L static || failed+=("$preset (static)")
done

# "win32 (TESSERA.EXE)" and so on, or "none".
names() {
  local preset out=()
  for preset; do
    case $preset in win32) out+=("win32 (TESSERA.EXE)") ;; win64) out+=("win64 (TESSERA64.EXE)") ;; esac
  done
  echo "${out[*]:-none}"
}
echo "Builds under Wine: $(names "${under_wine[@]}"); static checks only: $(names "${static_only[@]}")"
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}"
  exit 1
fi
