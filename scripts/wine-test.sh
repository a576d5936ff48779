#!/usr/bin/env bash
# Runs one Windows test program in a fresh Wine prefix: the cross build's test emulator.
#   wine-test.sh PROGRAM.exe [ARGS...]
# The prefix is 64-bit for an x86-64 program, else 32-bit. The program and the .exe files
# beside it are copied to C:\tests, the application folder (ZELVO_DIST_DIR) to
# C:\Program Files\Zelvo Drives, and a 32-bit one (ZELVO_DIST32_DIR, in a 64-bit prefix) to
# C:\Program Files (x86)\Zelvo Drives. ZELVO_DRIVES maps the drives, e.g.
# "a:floppy c:hd d:cdrom e:hd z:network"; without it the prefix keeps Wine's own C: and Z:.
# ZELVO_LOGPIXELS sets the display's resolution in dpi (e.g. 144 for 150 %), and ZELVO_COLOURS
# system colours (e.g. "Window=0 0 0,WindowText=255 255 0"), which Wine reads when the prefix's
# server starts.
set -euo pipefail
program=$1
shift
source "$(dirname "$0")/wine-env.sh"
WINEARCH=$(pe_arch "$program")
[ "$WINEARCH" = win64 ] || skip_without_win32 "$(basename "$program")"

ensure_template
prefix=$(new_prefix)
xvfb_pid=
trap 'stop_server "$prefix"; [ -n "${ZELVO_KEEP_PREFIX:-}" ] || rm -rf "$prefix"
      [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null' EXIT
# A display of its own: tests read the screen, raise windows and move the pointer, which tests
# running beside them must not disturb. The prefix's server keeps it.
start_xvfb

[ -n "${ZELVO_DRIVES:-}" ] && set_drives "$prefix" "$ZELVO_DRIVES"
if [ -n "${ZELVO_LOGPIXELS:-}" ]; then
    printf '\n[Control Panel\\\\Desktop] 1700000000\n"LogPixels"=dword:%08x\n' \
        "$ZELVO_LOGPIXELS" >>"$prefix/user.reg"
fi
if [ -n "${ZELVO_COLOURS:-}" ]; then
    printf '\n[Control Panel\\\\Colors] 1700000000\n' >>"$prefix/user.reg"
    IFS=, read -ra colours <<<"$ZELVO_COLOURS"
    for colour in "${colours[@]}"; do
        printf '"%s"="%s"\n' "${colour%%=*}" "${colour#*=}" >>"$prefix/user.reg"
    done
fi
[ -n "${ZELVO_DIST_DIR:-}" ] && install_app_folder "$prefix" "$ZELVO_DIST_DIR"
[ -n "${ZELVO_DIST32_DIR:-}" ] && install_app_folder "$prefix" "$ZELVO_DIST32_DIR" "Program Files (x86)"
mkdir -p "$prefix/drive_c/tests"
cp "$(dirname "$program")"/*.exe "$prefix/drive_c/tests/"

export WINEPREFIX=$prefix
start_server "$prefix"
cd "$prefix/drive_c/tests"
rc=0
wine "C:\\tests\\$(basename "$program")" "$@" || rc=$?
exit $rc
