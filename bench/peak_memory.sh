#!/usr/bin/env bash
# Peak resident memory of a whole `tandrel match` on a module file of 1,000,000 lines (ASCII, CR LF breaks):
# a Do on the first line whose Loop is the last, with code between that holds string literals, comments and
# single-line Ifs. Both builds, forward from the Do and backward from the Loop. The goal is a peak under four
# times the module's size in UTF-16 (two bytes a character here, line breaks included); the script fails when a
# run goes over it or selects the wrong span.
#
#   bench/peak_memory.sh [BUILD_DIR]      (default: build/default)
set -euo pipefail
cd "$(dirname "$0")/.."

tandrel=${1:-build/default}/cli/tandrel
for program in "$tandrel" /usr/bin/time; do
  [ -x "$program" ] || { echo "missing $program (build the default preset; apt-get install time)" >&2; exit 2; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
module=$scratch/Million.bas
lines=1000000
awk -v lines=$lines 'BEGIN {
  body[0] = "    total = total + Sqr(Abs(n * (i + 1))) '"'"' If x Then"
  body[1] = "    s = \"say \"\"hi\"\" (x)\""
  body[2] = "    If a Then b = 1"
  body[3] = ""
  printf "Do\r\n"
  for (i = 2; i < lines; i++) printf "%s\r\n", body[i % 4]
  printf "Loop\r\n"
}' >"$module"

bytes=$(stat -c %s "$module")
utf16_kb=$((bytes * 2 / 1024))
limit_kb=$((utf16_kb * 4))
echo "module: $lines lines, $bytes bytes; in UTF-16 $utf16_kb KB; goal: peak under $limit_kb KB"

status=0
for build in vb6 vb5; do
  for run in "1:1 [1,1,$lines,5]" "$lines:1 [$lines,5,1,1]"; do
    at=${run%% *}
    expected=${run#* }
    /usr/bin/time -f %M -o "$scratch/peak" "$tandrel" match "$module" --at "$at" --build $build --json \
      >"$scratch/out" || true
    peak_kb=$(cat "$scratch/peak")
    verdict=ok
    grep -qF "\"selection\":$expected" "$scratch/out" || verdict="wrong selection: $(head -c 200 "$scratch/out")"
    [ "$peak_kb" -lt "$limit_kb" ] || verdict="over the goal"
    [ "$verdict" = ok ] || status=1
    printf '%s --at %-10s peak %7d KB  (%.2f x UTF-16)  %s\n' $build "$at" "$peak_kb" \
      "$(awk -v p="$peak_kb" -v u="$utf16_kb" 'BEGIN { print p / u }')" "$verdict"
  done
done
exit $status
