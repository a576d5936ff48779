#!/usr/bin/env bash
# The setup wizard's pictures under Wine: the installer says in its manifest that it is DPI aware
# (Wine stretches no program, so only the manifest shows it), and at 100, 150 and 200 % the
# pictures that its pages show, unpacked into its plug-ins folder, are the renders for that scale
# byte for byte; so is the uninstaller's header, which has no welcome or finish picture.
#   WINEARCH=win64 wizard_test.sh SETUP_EXE DIST32_DIR DIST64_DIR ASSET_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
source "$here/../../scripts/release.sh"
source "$here/setup_env.sh"
source "$here/../checks.sh"

setup=$(realpath "$1")
assets=$(realpath "$4")
work=$(mktemp -d)
xvfb_pid=
prefix=
cleanup() {
    [ -z "$prefix" ] || stop_server "$prefix"
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null
    rm -rf "$prefix" "$work"
}
trap cleanup EXIT
runnable_setup "$work" "$2" "$3" "$4"

wrestool -x --raw -t 24 "$setup" | grep -q -E '<dpiAware[^>]*>true</dpiAware>' ||
    fail "the installer's manifest does not declare it DPI aware"

[ -n "${DISPLAY:-}" ] || start_xvfb
ensure_template
prefix=$(new_prefix)
export WINEPREFIX=$prefix
temp="$prefix/drive_c/users/$(id -un)/Temp"

# Starts the prefix's server with Windows set to DPI.
start_at_dpi() {
    stop_server "$prefix"
    start_server "$prefix"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1 </dev/null
    stop_server "$prefix"
    start_server "$prefix"
}

# Runs PROGRAM until its wizard shows the window TITLE, then compares each picture NAME that its
# plug-ins folder holds with the render EXPECTED ("-": none may be there), and ends it.
#   expect_pictures WHAT PROGRAM TITLE NAME EXPECTED [NAME EXPECTED...]
expect_pictures() {
    local what=$1 program=$2 title=$3 found
    shift 3
    rm -rf "$temp"/ns*.tmp
    wine "$program" >/dev/null 2>&1 </dev/null &
    if ! wait_for_window "$title" 30 >/dev/null; then
        fail "$what: no window \"$title\""
        return
    fi
    while [ $# -gt 0 ]; do
        found=("$temp"/ns*.tmp/"$1")
        if [ "$2" = - ]; then
            [ ! -e "${found[0]}" ] || fail "$what unpacked $1"
        elif ! cmp -s "${found[0]}" "$assets/$2"; then
            fail "$what: $1 is not $2"
        fi
        shift 2
    done
    stop_server "$prefix"
}

for scale in 100:96: 150:144:_150 200:192:_200; do
    IFS=: read -r percent dpi suffix <<<"$scale"
    start_at_dpi "$dpi"
    expect_pictures "setup at $percent %" "$setup" "Zelvo Drives Setup" \
        modern-wizard.bmp "setup_welcome$suffix.bmp" modern-header.bmp "setup_header$suffix.bmp"
done

# The uninstaller, of a silent install, at 150 %; NSIS's English title ends in a blank.
start_at_dpi 144
wine "$setup" /S >/dev/null 2>&1 </dev/null || fail "the silent install failed"
expect_pictures "the uninstaller at 150 %" \
    "$prefix/drive_c/Program Files/Zelvo Drives/uninstall.exe" "Zelvo Drives Uninstall " \
    modern-header.bmp setup_header_150.bmp modern-wizard.bmp -

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "wizard: all checks passed"
