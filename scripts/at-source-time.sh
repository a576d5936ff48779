#!/usr/bin/env bash
# Runs a program with the clock stopped at the source time (source_epoch in release.sh), so that
# a tool that writes the time into what it makes writes the same one in every build of the
# same sources.
#   at-source-time.sh FIXED_CLOCK PROGRAM [ARGUMENT...]
set -euo pipefail
source "$(dirname "$0")/release.sh"
clock=$1
shift
# Tools write local time: one zone for every build.
export TZ=UTC
exec "$clock" "$(source_epoch)" "$@"
