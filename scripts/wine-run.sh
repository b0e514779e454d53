#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's Windows XP prefix:
#   scripts/wine-run.sh program.exe [arguments...]
# It is the cross build's test emulator. Inside a session (scripts/test.sh)
# it reuses the display and wineserver there; alone, it starts what it needs
# and stops it again afterwards.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"

kdw_start_session
trap kdw_stop_session EXIT
wine "$@"
