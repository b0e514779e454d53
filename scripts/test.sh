#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the
# native tests, then the Win32 test programs under Wine, the 64-bit build
# always and the 32-bit build wherever this machine runs 32-bit code,
# natively or through qemu. The last line says which builds were tested.
# KDW_I386_VIA_QEMU=1 runs the 32-bit build through qemu even where the
# kernel runs it natively, registering the handler for that run only.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh
. scripts/wine-env.sh
. scripts/i386-qemu.sh

jobs=$(nproc)
for preset in native win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

tested=(native) built_only=()
ctest --preset native -j "$jobs"

registered=
finish() {
  kdw_stop_session
  if [ -n "$registered" ]; then kdw_unregister_qemu_i386; fi
}
trap finish EXIT
for preset in win64 win32; do
  if [ "$preset" = win32 ] && [ "${KDW_I386_VIA_QEMU:-}" = 1 ] && ! kdw_i386_handler >/dev/null; then
    kdw_register_qemu_i386 && registered=1 &&
      echo "test: the 32-bit build runs through qemu for this run"
  fi
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

if [ ${#built_only[@]} -eq 0 ]; then
  echo "test: tested ${tested[*]}"
else
  echo "test: tested ${tested[*]}; built only: ${built_only[*]} (this machine cannot run 32-bit code)"
fi
