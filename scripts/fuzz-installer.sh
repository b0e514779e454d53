#!/usr/bin/env bash
# Fuzzes kdwsetup's package reader and load (tests/installer/package_fuzzer.cpp)
# with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, built with
# Debian's clang. Not part of the tests: run it by hand.
#   bash scripts/fuzz-installer.sh [runs]     (default 1000000 executions)
# The corpus grows in build/fuzz-installer/corpus; inputs that crash are kept
# in build/fuzz-installer/artifacts and the script then fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-1000000}
out=build/fuzz-installer
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"

. scripts/fuzz-lib.sh
fuzz_need_clang "$out"

sources=(
  tests/installer/package_fuzzer.cpp
  installer/package.cpp installer/installer.cpp
  registry/registry.cpp registry/memory_registry.cpp registry/account_type.cpp
  platform/portable.cpp platform/crypto.cpp platform/fakes.cpp platform/fake_file_system.cpp
  platform/openssl_crypto.cpp
)
clang++ -std=c++20 -g -O1 -I. -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined "${sources[@]}" -lcrypto -o "$out/package_fuzzer"

# Seeds: packages from the packer. An input's first byte 0 keeps the rest as
# it is; 1 has the fuzzer seal the rest, so the seed is the package without
# its closing block.
work="$out/seed-files"
rm -rf "$work"; mkdir -p "$work"
printf 'MZ image' >"$work/image.exe"
printf 'A\0B\r\n\x1a' >"$work/ONE.OCX"
printf 'second file' >"$work/TWO.OCX"
cmake -DIMAGE="$work/image.exe" -DOUTPUT="$work/pkg.exe" "-DFILES=$work/ONE.OCX;$work/TWO.OCX" \
  -P installer/packer/pack.cmake >/dev/null
size=$(stat -c %s "$work/pkg.exe")
{ printf '\0'; cat "$work/pkg.exe"; } >"$out/seeds/whole"
{ printf '\1'; head -c $((size - 514)) "$work/pkg.exe"; } >"$out/seeds/to-seal"

cat >"$out/package.dict" <<'DICT'
"\x0d"
"\x0d\x0d\x0d\x0d"
"0000000000"
"KDWPKG SHA-256 "
".OCX"
"\x09\x09\x09\x09\x0d\x0a"
DICT

fuzz_run fuzz-installer "$out/package_fuzzer" "$runs" "$out/package.dict" "$out"
