#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, JOBS at a time: each starts
# from its seed corpus (written by the target itself from the suites' vectors) and
# keeps what it finds in BUILD/fuzz-corpus/NAME. Findings go to BUILD/fuzz-findings;
# the exit status is non-zero when any target found something.
# Usage: tools/run_fuzzers.sh BUILD [SECONDS] [JOBS]
set -euo pipefail
build=${1:?usage: run_fuzzers.sh BUILD [SECONDS] [JOBS]}
seconds=${2:-60}
jobs=${3:-2}
mkdir -p "$build/fuzz-corpus" "$build/fuzz-findings" "$build/fuzz-logs"

run_one() {
  local target=$1 seconds=$2 build=$3
  local name corpus log
  name=$(basename "$target")
  corpus="$build/fuzz-corpus/$name"
  log="$build/fuzz-logs/$name.log"
  ZQ_FUZZ_SEEDS="$corpus" "$target" >/dev/null
  if "$target" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-findings/$name-" "$corpus" >"$log" 2>&1; then
    echo "$name: $(grep -o 'number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*') runs in ${seconds} s, no finding"
    return 0
  fi
  echo "$name: FINDING (log $log)"
  tail -n 30 "$log"
  return 1
}
export -f run_one

targets=("$build"/fuzz/*_fuzz)
[ -x "${targets[0]}" ] || { echo "no fuzz targets in $build/fuzz"; exit 2; }
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$build"
