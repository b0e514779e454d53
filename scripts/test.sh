#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the
# native tests, then the Win32 test programs under Wine, the 64-bit build
# always and the 32-bit build wherever this machine runs 32-bit code.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh
. scripts/wine-env.sh

jobs=$(nproc)
for preset in native win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

tested=(native) built_only=()
ctest --preset native -j "$jobs"

trap kdw_stop_session EXIT
for preset in win64 win32; do
  if [ "$preset" = win32 ] && ! kdw_can_run_win32; then
    built_only+=("$preset")
    continue
  fi
  kdw_wine_arch "$preset"
  kdw_start_session
  ctest --preset "$preset"
  kdw_stop_session
  tested+=("$preset")
done

echo "test: tested ${tested[*]}; built only: ${built_only[*]:-none}$(
  [ ${#built_only[@]} -eq 0 ] || echo ' (this machine cannot run 32-bit code)')"
