#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's Windows XP prefix of
# the program's own build (64-bit or 32-bit, read from its header):
#   scripts/wine-run.sh program.exe [arguments...]
# It is the cross builds' test emulator. Inside a session (scripts/test.sh)
# it reuses the display and wineserver there; alone, it starts what it needs
# and stops it again afterwards.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"

arch=$(kdw_exe_arch "$1") || arch=${KDW_ARCH:-win64}
kdw_wine_arch "$arch" || exit 2
if [ "$arch" = win32 ] && ! kdw_can_run_win32; then
  echo "wine-run: $1 is a 32-bit program, and this machine cannot run 32-bit Wine" >&2
  exit 126
fi
kdw_start_session || exit 1
trap kdw_stop_session EXIT
kdw_wine "$@"
