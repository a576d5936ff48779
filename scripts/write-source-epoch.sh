#!/usr/bin/env bash
# Writes the source time (source_epoch in release.sh) to FILE, touching FILE only when it
# changes: what carries the time (Help.chm, the release files) depends on FILE, so a new commit
# makes them again and an unchanged one leaves them be.
#   write-source-epoch.sh FILE
set -euo pipefail
source "$(dirname "$0")/release.sh"
epoch=$(source_epoch)
[ "$(cat "$1" 2>/dev/null || true)" = "$epoch" ] || echo "$epoch" >"$1"
