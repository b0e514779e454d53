# What the fuzzing scripts share; sourced, not run.

# clang and its libFuzzer runtime, from apt only when missing. $1: a folder
# for the probe.
fuzz_need_clang() {
  local probe="$1/probe.cpp"
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$probe"
  if ! clang++ -fsanitize=fuzzer "$probe" -o "$1/probe" >/dev/null 2>&1; then
    local sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y clang libclang-rt-14-dev
  fi
}

# Runs a fuzzer: fuzz_run NAME FUZZER RUNS DICT DIR, with the corpus in
# DIR/corpus and DIR/seeds, crashing inputs kept in DIR/artifacts. Prints
# the count of executions and fails when anything crashed.
fuzz_run() {
  local name=$1 fuzzer=$2 runs=$3 dict=$4 dir=$5
  local log="$dir/fuzz.log" status=0
  mkdir -p "$dir/corpus" "$dir/seeds" "$dir/artifacts"
  "$fuzzer" -runs="$runs" -max_len=4096 -dict="$dict" \
    -artifact_prefix="$dir/artifacts/" -print_final_stats=1 \
    "$dir/corpus" "$dir/seeds" 2>"$log" || status=$?
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done|ERROR|SUMMARY' "$log" || true
  local crashes
  crashes=$(find "$dir/artifacts" -type f | wc -l)
  echo "$name: $(grep -oP 'number_of_executed_units: \K[0-9]+' "$log" || echo 0) executions," \
       "$crashes crashing input(s) in $dir/artifacts (log: $log)"
  [ "$status" -eq 0 ] && [ "$crashes" -eq 0 ]
}
