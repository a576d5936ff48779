#!/usr/bin/env bash
# Builds everything and runs every test: the layout of the sources, the native unit tests (with
# sanitizers), the Windows builds' tests under Wine on a virtual display, 32-bit and 64-bit, and
# a second build of the release files in another folder that must give the same bytes.
# What waits more than it computes runs beside what computes, at a lower priority: the Wine
# prefixes' templates boot during the builds, and the second build runs during the Wine tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/wine-env.sh
mkdir -p build

# Reports a background step's output once it has ended, and whether it passed.
finish() {
    local pid=$1 log=$2 rc=0
    wait "$pid" || rc=$?
    cat "$log"
    return "$rc"
}
# What still runs in the background (the virtual display among it) ends with this script.
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT

architectures=(win64)
[ "$ZELVO_NO_WIN32" = 1 ] || architectures+=(win32)
nice -n 10 bash -c 'source scripts/wine-env.sh
    for arch in "$@"; do WINEARCH=$arch ensure_template; done' boot "${architectures[@]}" \
    >build/templates.log 2>&1 &
templates=$!

scripts/format-check.sh

scripts/configure.sh native
cmake --build --preset native -j"$(nproc)"
ctest --preset native -j"$(nproc)"

scripts/build.sh
finish "$templates" build/templates.log

[ -n "${DISPLAY:-}" ] || start_xvfb
nice -n 10 scripts/reproducible-test.sh >build/reproducible.log 2>&1 &
reproducible=$!
# The two builds' Wine tests side by side, twice as many at once as there are cores (they wait for
# Wine as much as they compute), shared by both builds where both run.
jobs=$(($(nproc) * 2))
[ "$ZELVO_NO_WIN32" = 1 ] || jobs=$(nproc)
ctest --preset win32 -j"$jobs" >build/win32-tests.log 2>&1 &
win32_tests=$!
failed=0
ctest --preset win64 -j"$jobs" || failed=1
finish "$win32_tests" build/win32-tests.log || failed=1
finish "$reproducible" build/reproducible.log || failed=1
if [ "$ZELVO_NO_WIN32" = 1 ]; then
    echo "The 32-bit Wine tests were skipped: $ZELVO_NO_WIN32_REASON."
fi
[ "$failed" -eq 0 ]
