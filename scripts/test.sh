#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (with sanitizers), then the
# Windows build's tests under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
ctest --preset native

cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)"

source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
fi
ctest --preset win32 -j2
