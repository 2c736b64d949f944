#!/bin/bash
# Installs what is missing, builds and starts Wattlex.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh | tail -n 1 >/dev/null
exec ./build/wattlex "$@"
