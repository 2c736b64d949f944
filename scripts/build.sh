#!/bin/bash
# Configures and builds into build/ (or build-asan/ with WATTLEX_SANITIZE=1).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD=build
EXTRA=()
if [ "${WATTLEX_SANITIZE:-0}" = 1 ]; then
  BUILD=build-asan
  EXTRA+=(-DWATTLEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DWATTLEX_BUILD_BENCH=OFF)
fi
if [ "${WATTLEX_TSAN:-0}" = 1 ]; then
  BUILD=build-tsan
  EXTRA+=(-DWATTLEX_TSAN=ON -DCMAKE_BUILD_TYPE=Debug -DWATTLEX_BUILD_BENCH=OFF)
fi
cmake -S . -B "$BUILD" -G Ninja "${EXTRA[@]}" "$@" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
echo "$BUILD"
