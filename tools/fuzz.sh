#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) and runs each one on its
# seed corpus in fuzz/corpus/<target>: `tools/fuzz.sh [RUNS]`, 100,000 runs a target by default. Any finding
# (a crash, a sanitizer report, a session past its bound on IDE calls, a timeout, a leak) fails the run and
# leaves the input that caused it in build/fuzz/findings/. The seed corpora are only read.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-100000}"
tools/install-deps.sh cli fuzz
cmake --workflow --preset fuzz

findings=build/fuzz/findings
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  mkdir "$work/$target"
  log="$findings/$target.log"
  echo "Fuzzing $target: $runs runs"
  if ! "build/fuzz/fuzz/${target}_fuzzer" -runs="$runs" -max_len=1024 -timeout=10 -dict="fuzz/$target.dict" \
      -artifact_prefix="$findings/$target-" -print_final_stats=1 "$work/$target" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "Fuzzing $target found a fault; the input is in $findings/" >&2
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units)' "$log"
done
