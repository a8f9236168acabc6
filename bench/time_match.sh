#!/usr/bin/env bash
# Times the whole `tandrel match` process on the generated module, from 1,000 lines to the largest module the
# IDE holds: the worst-case jump (the outer If to its End If, and back) for both builds. Prints the median wall
# time and the median peak resident memory (from /usr/bin/time) of RUNS runs of each. Backward, the VB5 build
# meets a quotation mark ahead of an apostrophe in a comment that holds "If", counts it, and walks off the top
# of the module to its not-found message: a walk as long as the VB6 build's.
#
#   bench/time_match.sh [BUILD_DIR] [RUNS] [TANDREL]   (defaults: build/default, 11, BUILD_DIR/cli/tandrel)
#
# TANDREL lets the same modules time another build of the command, an older one say.
#
# Wall times are medians because the machine is shared: a run that waited for a core says nothing about us.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
runs=${2:-11}
tandrel=${3:-$build/cli/tandrel}
writer=$build/bench/tandrel_write_module_file
for program in "$tandrel" "$writer" /usr/bin/time; do
  [ -x "$program" ] || { echo "missing $program (build the default preset; apt-get install time)" >&2; exit 2; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs one match RUNS times and prints "wall_ms cpu_ms peak_kb", each a median; fails when the selection is
# not the expected one. CPU time (user + system) is printed beside the wall time because it hardly depends
# on how busy the machine is.
measure() {
  local file=$1 at=$2 expected=$3 build=$4
  local out
  out=$("$tandrel" match "$file" --at "$at" --build "$build" --json)
  if [[ $out != *"\"selection\":$expected"* ]]; then
    echo "unexpected result for --at $at --build $build: $out" >&2
    exit 1
  fi
  local walls=() cpus=() peaks=() times
  for ((run = 0; run < runs; run++)); do
    times=$({ TIMEFORMAT='%3R %3U %3S'; time "$tandrel" match "$file" --at "$at" --build "$build" --json \
      >/dev/null 2>&1; } 2>&1)
    read -r real user system <<<"$times"
    walls+=("$(awk -v r="$real" 'BEGIN { printf "%.1f", r * 1000 }')")
    cpus+=("$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.1f", (u + s) * 1000 }')")
    peaks+=("$(/usr/bin/time -f %M "$tandrel" match "$file" --at "$at" --build "$build" --json 2>&1 >/dev/null |
      tail -n 1)")
  done
  echo "$(printf '%s\n' "${walls[@]}" | median) $(printf '%s\n' "${cpus[@]}" | median)" \
    "$(printf '%s\n' "${peaks[@]}" | median)"
}

echo "load average: $(cut -d ' ' -f 1-3 /proc/loadavg)"
printf '%7s %10s %6s %9s %9s %9s %9s\n' lines bytes build direction "wall ms" "cpu ms" "peak MB"
for lines in 1000 2000 4000 8000 16000 32000 65534; do
  file=$scratch/Churn$lines.bas
  "$writer" "$lines" "$file"
  bytes=$(stat -c %s "$file")
  last=$((lines - 1))
  for build in vb6 vb5; do
    for direction in forward backward; do
      if [ "$direction" = forward ]; then
        result=$(measure "$file" 2:5 "[2,5,$last,11]" "$build")
      elif [ "$build" = vb6 ]; then
        result=$(measure "$file" "$last:5" "[$last,11,2,5]" "$build")
      else
        result=$(measure "$file" "$last:5" null "$build")
      fi
      read -r wall cpu peak <<<"$result"
      printf '%7d %10d %6s %9s %9s %9s %9.1f\n' "$lines" "$bytes" "$build" "$direction" "$wall" "$cpu" \
        "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
    done
  done
done
