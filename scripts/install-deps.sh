#!/usr/bin/env bash
# Installs the Debian packages the builds and the Wine test environment need:
# compilers for both Windows builds, 64-bit Wine, and 32-bit Wine wherever
# this machine can run 32-bit x86 code: natively, or else through qemu's
# user-mode emulation where the kernel takes a binfmt_misc handler.
# KDW_I386_VIA_QEMU=1 takes the emulated way even where the kernel runs
# i386 code itself (test.sh then registers the handler for its run only).
# Safe to run again: it installs only what is missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/i386-qemu.sh"

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
need=() need_i386=() packages_i386=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

x_libs=(libxrender1 libxcursor1 libxi6 libxrandr2 libxinerama1 libxcomposite1 libxfixes3)
packages=(cmake make g++ libgtest-dev libgmock-dev googletest libbenchmark-dev libssl-dev
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
          binutils-mingw-w64-x86-64
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
          binutils-mingw-w64-i686
          wine wine64 fonts-wine fonts-liberation "${x_libs[@]}"
          xvfb xauth x11-utils imagemagick)

# The machine's own bookworm entry, for the bookworm-backports suite: the
# same URIs, components and key, so no mirror is named here.
backports_list=/etc/apt/sources.list.d/kdw-bookworm-backports
add_backports() {
  if grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  local deb822 entry
  for deb822 in /etc/apt/sources.list.d/*.sources; do
    [ -f "$deb822" ] || continue
    entry=$(awk 'BEGIN { RS = ""; FS = "\n" }
      $0 ~ /(^|\n)Suites:([^\n]*[ \t])?bookworm([ \t]|\n|$)/ {
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^#/) continue
          if ($i ~ /^Suites:/) print "Suites: bookworm-backports"; else print $i
        }
        exit
      }' "$deb822")
    if [ -n "$entry" ]; then
      echo "$entry" | $SUDO tee "$backports_list.sources" >/dev/null
      return 0
    fi
  done
  entry=$(grep -hE '^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+bookworm[[:space:]]' \
            /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | head -n 1 |
          sed -E 's/[[:space:]]bookworm[[:space:]]/ bookworm-backports /')
  if [ -z "$entry" ]; then
    echo "install-deps: no bookworm entry in this machine's apt sources to add bookworm-backports from" >&2
    return 1
  fi
  echo "$entry" | $SUDO tee "$backports_list.list" >/dev/null
}

# qemu-user 10 or newer, from bookworm-backports when bookworm's is older.
qemu_ok() {
  local version
  version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) || return 1
  dpkg --compare-versions "$version" ge 1:10
}

i386=none
if [ "$(dpkg --print-architecture)" = amd64 ]; then
  if [ "${KDW_I386_VIA_QEMU:-}" != 1 ] && kdw_runs_i386; then
    i386=native
  elif kdw_has_binfmt; then
    i386=qemu
  fi
fi
if [ "$i386" = qemu ] && [ "$(id -u)" -ne 0 ] && ! sudo -n true 2>/dev/null; then
  echo "install-deps: running 32-bit Wine through qemu needs root (to register the qemu-i386" \
       "handler); run this script as root. The 32-bit build is built, not run" >&2
  i386=none
fi

case "$i386" in
  native | qemu)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      echo "install-deps: adding the i386 architecture for 32-bit Wine"
      $SUDO dpkg --add-architecture i386
    fi
    packages_i386=(wine32:i386 "${x_libs[@]/%/:i386}") ;;
  none)
    echo "install-deps: this machine runs no 32-bit code; the 32-bit build is built, not run" ;;
esac

for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
for p in "${packages_i386[@]}"; do have "$p" || need_i386+=("$p"); done
export DEBIAN_FRONTEND=noninteractive
if [ $((${#need[@]} + ${#need_i386[@]})) -gt 0 ]; then
  $SUDO apt-get update -qq || echo "install-deps: apt-get update reported errors; going on with the lists it has" >&2
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "install-deps: installing ${need[*]}"
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
# The 32-bit set goes in on its own: a mirror caught mid-sync may lack an
# i386 list that matches the amd64 one, and then only the 32-bit runs are
# lost, not the build and the 64-bit tests.
if [ ${#need_i386[@]} -gt 0 ]; then
  echo "install-deps: installing ${need_i386[*]}"
  if ! $SUDO apt-get install -y -qq --no-install-recommends "${need_i386[@]}" >/dev/null; then
    echo "install-deps: 32-bit Wine could not be installed from this machine's package lists;" \
         "the 32-bit build is built, not run" >&2
    i386=none
  fi
fi

if [ "$i386" = qemu ] && ! qemu_ok; then
  echo "install-deps: installing qemu-user from bookworm-backports for 32-bit Wine"
  add_backports
  $SUDO apt-get update -qq || echo "install-deps: apt-get update reported errors; going on with the lists it has" >&2
  $SUDO apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user >/dev/null
fi

# Where the kernel refuses i386 code the handler stays registered, as a
# machine set up for this needs; a forced run registers it for itself.
if [ "$i386" = qemu ] && [ "${KDW_I386_VIA_QEMU:-}" != 1 ] && ! kdw_i386_handler >/dev/null 2>&1; then
  echo "install-deps: registering qemu-i386 for 32-bit programs"
  if [ "$(id -u)" -eq 0 ]; then
    kdw_register_qemu_i386
  else
    sudo bash -c ". '$here/i386-qemu.sh' && kdw_register_qemu_i386"
  fi
fi
