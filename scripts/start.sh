#!/bin/bash
# Installs what is missing, builds and starts Wattlex.
set -euo pipefail
cd "$(dirname "$0")/.."
WATTLEX_SANITIZE=0 WATTLEX_TSAN=0 bash scripts/build.sh
exec ./build/wattlex "$@"
