#!/usr/bin/env bash
# Builds and runs every test: `tools/test.sh` for the release build, `tools/test.sh sanitize` for the
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --workflow --preset "${1:-default}"
