#!/usr/bin/env bash
# Builds both trees and runs every test: the portable unit tests natively (with
# sanitizers), then, under Wine, the same unit tests, the tests against the
# real Windows services and the end-to-end runs of TESSERA.EXE.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset win32
