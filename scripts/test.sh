#!/usr/bin/env bash
# Builds everything and runs every test: the layout of the sources, the native unit tests (with
# sanitizers), the Windows builds' tests under Wine on a virtual display, 32-bit and 64-bit, and
# a second build of the release files in another folder that must give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

scripts/format-check.sh

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
ctest --preset native

scripts/build.sh

source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
fi
ctest --preset win32 -j2
ctest --preset win64 -j2

scripts/reproducible-test.sh
