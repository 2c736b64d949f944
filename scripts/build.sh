#!/bin/bash
# Configures and builds into build/ (build-asan/ with WATTLEX_SANITIZE=1,
# build-tsan/ with WATTLEX_TSAN=1).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD=$(bash scripts/build_dir.sh)
EXTRA=()
if [ "${WATTLEX_SANITIZE:-0}" = 1 ]; then
  EXTRA+=(-DWATTLEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DWATTLEX_BUILD_BENCH=OFF)
fi
if [ "${WATTLEX_TSAN:-0}" = 1 ]; then
  EXTRA+=(-DWATTLEX_TSAN=ON -DCMAKE_BUILD_TYPE=Debug -DWATTLEX_BUILD_BENCH=OFF)
fi
cmake -S . -B "$BUILD" -G Ninja "${EXTRA[@]}" "$@" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
