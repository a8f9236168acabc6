#!/usr/bin/env bash
# Builds and runs every test: `tools/test.sh` for the release build, the two Windows cross builds (whose
# servers are proven under Wine), the VS Code extension carrying the language servers, and the Windows
# Installer packages made of their DLLs (proven under Wine too), `tools/test.sh PRESET...` for the presets named, e.g. `tools/test.sh sanitize` for the
# AddressSanitizer + UndefinedBehaviorSanitizer build. Each preset is configured, built and tested in turn.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
presets=("$@")
# The Windows files are signed with a certificate made for the tests, unless one is given, and the package
# tests verify the signatures.
if [ -z "${TANDREL_SIGN_CERT:-}" ]; then
  tools/test_certificate.sh build/test-signing
  export TANDREL_SIGN_CERT=$PWD/build/test-signing/tandrel-test.p12 TANDREL_SIGN_PASSWORD=tandrel-test
  export TANDREL_SIGN_CA=$PWD/build/test-signing/tandrel-test.pem
fi
[ $# -gt 0 ] || presets=(default windows-x86 windows-x64 vscode packages)

# The Wine tests mostly wait (on Wine's start-up, a display, the IDE's timers) and the builds keep both cores
# busy: each Windows preset's tests run in the background while the next presets build, one suite at a time,
# as Wine's display servers start. A suite starts once its preset is built; their output follows the builds'.
lane=$(mktemp -d)
lane_pid=
trap '[ -z "$lane_pid" ] || kill -- -"$lane_pid" 2>/dev/null || true; rm -rf "$lane"' EXIT
wine_presets=()
for preset in "${presets[@]}"; do
  case $preset in windows-* | packages) wine_presets+=("$preset") ;; esac
done
if [ ${#wine_presets[@]} -gt 0 ]; then
  # A process group of its own, so that a failed build stops all of it.
  setsid bash -c '
    lane=$1
    shift
    for preset in "$@"; do
      until [ -e "$lane/built-$preset" ]; do sleep 1; done
      ctest --preset "$preset" >"$lane/$preset.log" 2>&1 || echo "$preset" >>"$lane/failed"
    done' lane "$lane" "${wine_presets[@]}" &
  lane_pid=$!
fi

for preset in "${presets[@]}"; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  case $preset in
    windows-* | packages) touch "$lane/built-$preset" ;;
    *) ctest --preset "$preset" ;;
  esac
done

if [ -n "$lane_pid" ]; then
  wait "$lane_pid"
  lane_pid=
  for preset in "${wine_presets[@]}"; do
    echo "== Tests of $preset"
    cat "$lane/$preset.log"
  done
  if [ -e "$lane/failed" ]; then
    echo "Failed tests in: $(tr '\n' ' ' <"$lane/failed")" >&2
    exit 1
  fi
fi
