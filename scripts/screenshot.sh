#!/usr/bin/env bash
# Screenshot of kdw3 with one section open, taken under Xvfb:
#   scripts/screenshot.sh F4 shots/start-menu.png
# Further arguments are controls to work first, as show_section takes them:
#   scripts/screenshot.sh F2 shots/ie-options.png frmInternet/Command2
# (F1..F9, F11 open the sections, F12 the welcome form, ^F the Find form;
# the steps show_section.cpp describes.) It uses the 64-bit build;
# KDW_ARCH=win32 picks the 32-bit one where the machine runs it,
# KDW_BUILD_DIR a build folder of one's own, configured already, and
# KDW_SHOT_CROP the part of the screen kept (660x450+0+0 unless told).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
key=${1:-F12}
out=${2:-shots/section.png}
. scripts/wine-env.sh
arch=${KDW_ARCH:-win64}
if [ "$arch" = win32 ] && ! kdw_can_run_win32; then
  echo "screenshot: this machine cannot run 32-bit code; take it of the 64-bit build" >&2
  exit 1
fi
kdw_wine_arch "$arch"
build=${KDW_BUILD_DIR:-build/$arch}
if [ -z "${KDW_BUILD_DIR:-}" ]; then
  cmake --preset "$arch" >/dev/null
fi
cmake --build "$build" --target kdw3 show_section -j "$(nproc)" >/dev/null
unset DISPLAY
kdw_start_session
trap kdw_stop_session EXIT
kdw_wine reg add 'HKLM\Software\Kelmor\Deskwarden' /v Owner /d "$(id -un)" /f >/dev/null 2>&1 || true
fifo=$(mktemp -u)
mkfifo "$fifo"
kdw_wine "$build/tests/e2e/show_section.exe" "$(realpath "$build")/app/kdw3.exe" "$key" 15 \
  "${@:3}" >"$fifo" 2>/dev/null &
read -r -t 60 _ <"$fifo" || true
rm -f "$fifo"
mkdir -p "$(dirname "$out")"
import -window root -crop "${KDW_SHOT_CROP:-660x450+0+0}" "$out"
echo "screenshot saved in $out"
