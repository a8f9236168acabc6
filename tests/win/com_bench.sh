#!/usr/bin/env bash
# Times the worst-case jump through COM under Wine, in a prefix of its own:
#   tests/win/com_bench.sh [win64|win32] [runs]
# win64 (the default) after `cmake --build --preset windows-x64`; win32, the DLL that VB6 users install, after
# `cmake --build --preset windows-x86`, in a 32-bit prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
arch=win64
case ${1:-} in win32 | win64) arch=$1 && shift ;; esac
[ "$arch" = win32 ] && bin=$root/build/windows-x86/bin || bin=$root/build/windows-x64/bin
prefix=$(mktemp -d)/prefix
trap '"$root/tests/win/wine.sh" $arch remove "$prefix"' EXIT
"$root/tests/win/wine.sh" "$arch" prepare "$prefix" >/dev/null 2>&1
"$root/tests/win/wine.sh" "$arch" run "$prefix" "$bin/tandrel_com_bench.exe" \
  "Tandrel=$bin/Tandrel.dll" "${1:-5}"
