#!/bin/bash
# Installs what is missing, builds and runs every test.
# The instrument tests run in private network namespaces, so this needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
BUILD=$(bash scripts/build_dir.sh)
export QT_QPA_PLATFORM=offscreen
cd "$BUILD"
ctest --output-on-failure -j "$(nproc)" --timeout 600
