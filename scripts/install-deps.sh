#!/usr/bin/env bash
# Installs the Debian packages the builds and the Wine test environment need:
# compilers for both Windows builds, 64-bit Wine, and 32-bit Wine only where
# this machine can execute 32-bit code. Safe to run again: it installs only
# what is missing.
set -euo pipefail

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

x_libs=(libxrender1 libxcursor1 libxi6 libxrandr2 libxinerama1 libxcomposite1 libxfixes3)
packages=(cmake make g++ libgtest-dev libgmock-dev googletest libbenchmark-dev libssl-dev
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          binutils-mingw-w64-x86-64
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
          binutils-mingw-w64-i686
          wine wine64 fonts-wine fonts-liberation "${x_libs[@]}"
          xvfb xauth x11-utils imagemagick)

# Whether the kernel runs 32-bit x86 programs: a 93-byte static i386 program
# that only exits with 0. Where it cannot run ("Exec format error"), 32-bit
# Wine could not either, so it is not installed.
runs_i386() {
  local probe status
  probe=$(mktemp)
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 0 ]
}

if [ "$(dpkg --print-architecture)" = amd64 ] && runs_i386; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "install-deps: adding the i386 architecture for 32-bit Wine"
    $SUDO dpkg --add-architecture i386
  fi
  packages+=(wine32:i386 "${x_libs[@]/%/:i386}")
else
  echo "install-deps: this machine runs no 32-bit code; the 32-bit build is built, not run"
fi

for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
