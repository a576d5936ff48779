#!/usr/bin/env bash
# Builds the product and starts the icon changer under Wine, in a prefix of its own
# (build/wine/user) with the application folder installed. Without a display it runs on a
# virtual one, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
source scripts/wine-env.sh

xvfb_pid=""
[ -n "${DISPLAY:-}" ] || start_xvfb

ensure_template
prefix=$wine_root/user
[ -d "$prefix" ] || cp -a "$wine_root/template-$WINEARCH" "$prefix"
# The programs that this machine's Wine runs: the 64-bit ones where it runs no 32-bit code.
dist=build/dist
[ "$WINEARCH" = win64 ] && dist=build/dist64
install_app_folder "$prefix" "$dist"
export WINEPREFIX=$prefix
start_server "$prefix"
app='C:\Program Files\Zelvo Drives\ZelvoDrv.exe'

if [ -z "$xvfb_pid" ]; then
    wine "$app"
    exit 0
fi

wine "$app" &
sleep 5
import -window root -crop 640x400+192+184 build/screenshot.png
echo "No display: the icon changer ran on a virtual one. Screenshot: $(pwd)/build/screenshot.png"
wineserver -k
kill "$xvfb_pid"
