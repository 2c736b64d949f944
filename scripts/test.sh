#!/bin/bash
# Installs what is missing, builds and runs every test.
# The instrument tests run in private network namespaces, so this needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(bash scripts/build.sh | tail -n 1)
export QT_QPA_PLATFORM=offscreen
cd "$BUILD"
ctest --output-on-failure -j "$(nproc)" --timeout 600
