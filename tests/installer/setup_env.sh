# Sourced by the installer's tests, after scripts/wine-env.sh and scripts/release.sh.

# The installer's shortcuts would otherwise become menu entries of the Linux desktop, outside the
# prefix.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

# Sets setup to the installer that this machine's Wine runs. The release's installer is a 32-bit
# program: where Wine runs none, a 64-bit test packs the same script as a 64-bit installer into
# WORK, from the application folders and the renders given, and tests that one; a test without
# them is skipped.
#   runnable_setup WORK DIST32_DIR DIST64_DIR ASSET_DIR   (the last three may be empty)
runnable_setup() {
    [ "$ZELVO_NO_WIN32" = 1 ] || return 0
    if [ "$WINEARCH" != win64 ] || [ -z "$4" ]; then
        skip_without_win32 "the installer"
    fi
    ZELVO_INSTALLER_TARGET=amd64-unicode bash "$zelvo_root/scripts/package.sh" "$2" "$3" \
        "$1/amd64" "$4" >/dev/null
    setup="$1/amd64/ZelvoDrivesSetup-$release_display_version.exe"
    echo "testing the installer script packed as a 64-bit installer"
}
