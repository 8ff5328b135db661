#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tessera need.
# Idempotent: does nothing when everything is already there.
# Both cross compilers, clang with libFuzzer's runtime (the fuzz preset) and
# Wine for 64-bit programs always; the 32-bit Wine (and the i386 architecture
# it needs) only where the host can run 32-bit code: elsewhere it cannot
# start, and /usr/bin/wine would still pick it over wine64.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth x11-utils
          fonts-ipafont-gothic imagemagick cmake g++ make binutils doctest-dev locales
          clang libclang-rt-14-dev)
runs_i386=no
if "$here/runs-i386"; then
  runs_i386=yes
  packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}. Run as root, or install them first." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if [ $runs_i386 = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
