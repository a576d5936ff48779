#!/usr/bin/env bash
# Runs one Windows test program in a fresh Wine prefix: the cross build's test emulator.
#   wine-test.sh PROGRAM.exe [ARGS...]
# The program and the .exe files beside it are copied to C:\tests, the application folder
# (ZELVO_DIST_DIR) to C:\Program Files\Zelvo Drives. ZELVO_DRIVES maps the drives, e.g.
# "a:floppy c:hd d:cdrom e:hd z:network"; without it the prefix keeps Wine's own C: and Z:.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

program=$1
shift

ensure_template
prefix=$(new_prefix)
trap 'stop_server "$prefix"; [ -n "${ZELVO_KEEP_PREFIX:-}" ] || rm -rf "$prefix"' EXIT

[ -n "${ZELVO_DRIVES:-}" ] && set_drives "$prefix" "$ZELVO_DRIVES"
[ -n "${ZELVO_DIST_DIR:-}" ] && install_app_folder "$prefix" "$ZELVO_DIST_DIR"
mkdir -p "$prefix/drive_c/tests"
cp "$(dirname "$program")"/*.exe "$prefix/drive_c/tests/"

export WINEPREFIX=$prefix
start_server "$prefix"
cd "$prefix/drive_c/tests"
rc=0
wine "C:\\tests\\$(basename "$program")" "$@" || rc=$?
exit $rc
