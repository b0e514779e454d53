#!/usr/bin/env bash
# Builds kdw3.exe and starts it under Wine in the project's Windows XP prefix.
# It runs the 64-bit build, which every machine with 64-bit Wine runs;
# KDW_ARCH=win32 picks the 32-bit one where the machine runs 32-bit code.
# With a display, the program runs there until you close it. Without one, it
# runs under Xvfb: the script waits for its first window, saves a screenshot
# in shots/kdw3.png, says where, and ends the program.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh
. scripts/wine-env.sh
arch=${KDW_ARCH:-win64}
if [ "$arch" = win32 ] && ! kdw_can_run_win32; then
  echo "run: this machine cannot run 32-bit code; run the 64-bit build (KDW_ARCH=win64)" >&2
  exit 1
fi
kdw_wine_arch "$arch"
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target kdw3 -j "$(nproc)"
exe=build/$arch/app/kdw3.exe

if [ -n "${DISPLAY:-}" ]; then
  kdw_ensure_prefix
  exec "$KDW_WINE" "$exe"
fi

kdw_start_session
trap kdw_stop_session EXIT
kdw_wine "$exe" >/dev/null 2>&1 &
program=$!
# The program's windows live in Wine's virtual desktop window; once that is
# up, give the first of them (the owner question on a first start, then the
# main window or the password prompt) a moment to draw.
for _ in $(seq 60); do
  xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && break
  sleep 0.5
done
sleep 3
mkdir -p shots
import -window root shots/kdw3.png
echo "kdw3 ($arch) ran under Xvfb; screenshot saved in $(pwd)/shots/kdw3.png"
kill "$program" 2>/dev/null || true
kdw_wineserver -k >/dev/null 2>&1 || true
