#!/usr/bin/env bash
# Builds and runs every test: `tools/test.sh` for the release build and the two Windows cross builds (whose
# servers are proven under Wine), `tools/test.sh PRESET` for one of them, e.g. `tools/test.sh sanitize` for the
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
if [ $# -gt 0 ]; then
  cmake --workflow --preset "$1"
else
  for preset in default windows-x86 windows-x64; do cmake --workflow --preset "$preset"; done
fi
