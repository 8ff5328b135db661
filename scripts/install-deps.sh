#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tessera need.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(g++-mingw-w64-i686 wine wine32:i386 fonts-wine xvfb xauth x11-utils
          fonts-ipafont-gothic imagemagick cmake g++ make doctest-dev locales)

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
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
