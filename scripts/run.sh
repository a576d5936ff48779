#!/usr/bin/env bash
# Builds the application folder and starts the icon changer under Wine, in a prefix of its own
# (build/wine/user) with the application folder installed. Without a display it runs on a
# virtual one, waits for the window, saves a screenshot of it and says where.
# It builds only what it starts: the programs and data files of the build that this machine's
# Wine runs (the 32-bit one, or the 64-bit one where Wine runs no 32-bit code, which takes its
# data files from the 32-bit build's), no test programs and no release files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/wine-env.sh
dist=build/dist
if [ "$WINEARCH" = win64 ]; then
    dist=build/dist64
    scripts/configure.sh win32
    cmake --build --preset win32 -j"$(nproc)" --target zelvo_data
fi
scripts/configure.sh "$WINEARCH"
cmake --build --preset "$WINEARCH" -j"$(nproc)" --target zelvo_app_folder

# The window's title, and how long it may take to appear (a first start installs the updater).
title='Zelvo Drives'
wait_seconds=60

xvfb_pid=""
prefix=$wine_root/user
# Whatever way this ends, the prefix's Wine server and the virtual display stop with it.
cleanup() {
    stop_server "$prefix"
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
[ -n "${DISPLAY:-}" ] || start_xvfb

ensure_template
[ -d "$prefix" ] || cp -a "$wine_root/template-$WINEARCH" "$prefix"
install_app_folder "$prefix" "$dist"
export WINEPREFIX=$prefix
start_server "$prefix"
app='C:\Program Files\Zelvo Drives\ZelvoDrv.exe'

if [ -z "$xvfb_pid" ]; then
    wine "$app"
    exit 0
fi

wine "$app" >/dev/null 2>&1 </dev/null &
if ! window=$(wait_for_window "$title" "$wait_seconds"); then
    echo "run.sh: the icon changer's window did not appear within $wait_seconds seconds" >&2
    exit 1
fi
# Shown; its first paint follows at once.
sleep 0.5
import -window "$window" build/screenshot.png
echo "No display: the icon changer ran on a virtual one. Screenshot: $(pwd)/build/screenshot.png"
