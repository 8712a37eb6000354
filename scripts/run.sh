#!/usr/bin/env bash
# Builds Tarnhold in release mode and starts it; arguments go to tarnhold
# (for example: scripts/run.sh status).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/tarnhold "$@"
