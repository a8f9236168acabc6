#!/usr/bin/env bash
# Builds the command line and matches a Select Case block in a bundled example module.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh cli
cmake --preset default >/dev/null
cmake --build --preset default --target tandrel
./build/default/cli/tandrel match examples/Orders.bas --at 29:5
