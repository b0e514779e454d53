#!/usr/bin/env bash
# Installs the Debian packages the builds and the Wine test environment need.
# Safe to run again: it installs only what is missing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(cmake make g++ libgtest-dev libgmock-dev googletest libbenchmark-dev libssl-dev
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
          binutils-mingw-w64-i686
          wine wine32:i386 fonts-wine fonts-liberation libxrender1:i386 libxcursor1:i386
          libxi6:i386 libxrandr2:i386 libxinerama1:i386 libxcomposite1:i386
          libxfixes3:i386 xvfb xauth x11-utils imagemagick)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-deps: adding the i386 architecture for 32-bit Wine"
  dpkg --add-architecture i386
  apt_updated=
fi

for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "install-deps: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
