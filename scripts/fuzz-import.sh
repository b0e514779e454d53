#!/usr/bin/env bash
# Fuzzes the import's two readers (tests/registry/import_fuzzer.cpp): the
# .reg reader and the policy file reader, each in a program of its own, with
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, built with
# Debian's clang. Not part of the tests: run it by hand.
#   bash scripts/fuzz-import.sh [runs]     (default 1000000 executions each)
# The corpora grow in build/fuzz-import/<reader>/corpus; inputs that crash
# are kept in build/fuzz-import/<reader>/artifacts and the script then fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-1000000}
out=build/fuzz-import
mkdir -p "$out"

. scripts/fuzz-lib.sh
fuzz_need_clang "$out"

sources=(
  tests/registry/import_fuzzer.cpp
  registry/reg_import.cpp registry/policy_reader.cpp registry/reg_file.cpp
  registry/policy_file.cpp registry/code_page.cpp
)

# Seeds: every form the readers know, one line or entry of each kind.
u() { printf '%s' "$1" | iconv -f ascii -t utf-16le; }
seeds() {
  local dir=$1
  mkdir -p "$dir"
  case $(basename "$(dirname "$dir")") in
    reg)
      printf 'REGEDIT4\r\n\r\n; note\r\n[HKEY_CURRENT_USER\\Software\\T]\r\n@="d"\r\n"S"="a \\"q\\" \\\\"\r\n"N"=dword:0000ff01\r\n"B"=hex:01,ab,\\\r\n  ff\r\n"E"=hex(2):25,00\r\n"G"=-\r\n[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n' \
        >"$dir/regedit4"
      # The Unicode form: UTF-16LE with its byte-order mark.
      { printf '\xff\xfe'
        printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\T]\r\n"S"="x"\r\n"M"=hex(7):61,00,00,00,00,00\r\n' |
          iconv -f ascii -t utf-16le; } >"$dir/unicode"
      ;;
    pol)
      # [key;value;type;size;data] in UTF-16LE after "PReg" and version 1.
      {
        printf 'PReg\x01\x00\x00\x00'
        u '['; u 'Software\P'; printf '\0\0'; u ';'; u 'Word'; printf '\0\0'; u ';'
        printf '\x04\0\0\0'; u ';'; printf '\x04\0\0\0'; u ';'; printf '\x01\x02\x03\x04'; u ']'
        u '['; u 'Software\P'; printf '\0\0'; u ';'; u 'Text'; printf '\0\0'; u ';'
        printf '\x01\0\0\0'; u ';'; printf '\x04\0\0\0'; u ';'; u 'x'; printf '\0\0'; u ']'
        u '['; u 'Software\P'; printf '\0\0'; u ';'; u '**DeleteKeys'; printf '\0\0'; u ';'
        printf '\x01\0\0\0'; u ';'; printf '\x08\0\0\0'; u ';'; u 'A;B'; printf '\0\0'; u ']'
        u '['; u 'Software\P'; printf '\0\0'; u ';'; u '**del.Gone'; printf '\0\0'; u ';'
        printf '\x01\0\0\0'; u ';'; printf '\x02\0\0\0'; u ';'; printf '\0\0'; u ']'
      } >"$dir/policy"
      ;;
  esac
}

cat >"$out/reg.dict" <<'DICT'
"REGEDIT4"
"Windows Registry Editor Version 5.00"
"[HKEY_CURRENT_USER\\"
"[-HKEY_LOCAL_MACHINE\\"
"\"=dword:"
"\"=hex(2):"
"\"=hex:"
"\"=-"
",\\\x0d\x0a"
"\x0d\x0a"
DICT
cat >"$out/pol.dict" <<'DICT'
"PReg\x01\x00\x00\x00"
"[\x00"
";\x00"
"]\x00"
"\x00\x00"
"*\x00*\x00d\x00e\x00l\x00.\x00"
"*\x00*\x00D\x00e\x00l\x00e\x00t\x00e\x00K\x00e\x00y\x00s\x00"
"\x01\x00\x00\x00"
"\x04\x00\x00\x00"
DICT

failed=0
for reader in reg pol; do
  dir="$out/$reader"
  seeds "$dir/seeds"
  define=KDW_FUZZ_$(echo "$reader" | tr a-z A-Z)
  clang++ -std=c++20 -g -O1 -I. -D"$define" -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined "${sources[@]}" -o "$dir/fuzzer"
  fuzz_run "fuzz-import ($reader)" "$dir/fuzzer" "$runs" "$out/$reader.dict" "$dir" || failed=1
done
[ "$failed" -eq 0 ]
