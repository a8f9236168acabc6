#!/usr/bin/env bash
# Times the worst-case jump through COM under 64-bit Wine, in a prefix of its own:
#   tests/win/com_bench.sh [runs]     (after `cmake --build --preset windows-x64`)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$root/build/windows-x64/bin
prefix=$(mktemp -d)/prefix
trap '"$root/tests/win/wine.sh" win64 remove "$prefix"' EXIT
"$root/tests/win/wine.sh" win64 prepare "$prefix" >/dev/null 2>&1
"$root/tests/win/wine.sh" win64 run "$prefix" "$bin/tandrel_com_bench.exe" \
  "Tandrel=$bin/Tandrel.dll" "${1:-5}"
