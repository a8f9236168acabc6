#!/usr/bin/env bash
# Runs the Windows test programs under Wine, in a prefix of their own.
#   wine.sh <win64|win32> prepare <prefix>                 makes a fresh prefix
#   wine.sh <win64|win32> run <prefix> <program> [args]    runs a program there, with a display
#   wine.sh <win64|win32> remove <prefix>                  stops the prefix's server and deletes it
# Wine's own loaders are called directly: Debian's /usr/bin/wine picks the 32-bit loader whenever wine32 is
# installed, which cannot start where the kernel runs no 32-bit programs.
set -euo pipefail

arch=$1 command=$2 prefix=$3
shift 3
case $arch in
  win64) wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64 ;;
  win32) wine=/usr/lib/wine/wine wineserver=/usr/lib/wine/wineserver32 ;;
  *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
export WINEARCH=$arch WINEPREFIX=$prefix WINEDEBUG=-all

case $command in
  prepare)
    [ -d "$prefix" ] && { "$wineserver" -k 2>/dev/null || true; }
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    # No Mono or Gecko install prompts. The server must be gone before the first test: a session started
    # without a display can swallow later message boxes.
    WINEDLLOVERRIDES="mscoree=;mshtml=" xvfb-run -a "$wine" wineboot -i
    "$wineserver" -w
    ;;
  run)
    status=0
    xvfb-run -a "$wine" "$@" || status=$?
    # The next program gets a display of its own; nothing of this one may outlive it.
    "$wineserver" -w
    exit $status
    ;;
  remove)
    [ -d "$prefix" ] && { "$wineserver" -k 2>/dev/null || true; }
    rm -rf "$prefix"
    ;;
  *) echo "unknown command $command" >&2; exit 2 ;;
esac
