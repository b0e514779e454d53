#!/usr/bin/env bash
# Screenshot of kdw3 with one section open, taken under Xvfb:
#   scripts/screenshot.sh F4 shots/start-menu.png
# (F1..F9, F11 open the sections, F12 the welcome form.)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
key=${1:-F12}
out=${2:-shots/section.png}
cmake --build --preset win32 --target kdw3 show_section -j "$(nproc)" >/dev/null
. scripts/wine-env.sh
unset DISPLAY
kdw_start_session
trap kdw_stop_session EXIT
wine reg add 'HKLM\Software\Kelmor\Deskwarden' /v Owner /d "$(id -un)" /f >/dev/null 2>&1 || true
fifo=$(mktemp -u)
mkfifo "$fifo"
wine build/win32/tests/e2e/show_section.exe "$PWD/build/win32/app/kdw3.exe" "$key" 15 >"$fifo" 2>/dev/null &
read -r -t 60 _ <"$fifo" || true
rm -f "$fifo"
mkdir -p "$(dirname "$out")"
import -window root -crop 660x450+0+0 "$out"
echo "screenshot saved in $out"
