#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs every test:
# the native tests, then the Win32 test programs under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

. scripts/wine-env.sh
kdw_start_session
trap kdw_stop_session EXIT
ctest --preset win32
