#!/usr/bin/env bash
# Builds Tarnhold in release mode and starts it; arguments go to tarnhold
# (for example: scripts/run.sh status --json | jq). The setup and the build
# report on standard error, so standard output is Tarnhold's alone.
set -euo pipefail
cd "$(dirname "$0")/.."

{
    scripts/install-dependencies.sh
    cmake --preset release >/dev/null
    cmake --build --preset release
} >&2
exec build/release/src/tarnhold "$@"
