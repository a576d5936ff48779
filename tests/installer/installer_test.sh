#!/usr/bin/env bash
# The installer end to end under Wine: a silent install into a fresh prefix, the installed icon
# changer run once (so that the System folder files, the logon entry and the usage bars are
# there), an upgrade over older System folder copies while the changer is open, then the silent
# uninstall registered with Programs and Features, again with the changer open. Afterwards the
# prefix's registry and drive C: must be as they were before the install.
#   WINEARCH=win32|win64 installer_test.sh SETUP_EXE DIST_DIR [DIST32_DIR ASSET_DIR]
# DIST_DIR is the application folder the installer must put on that kind of Windows.
# The installer is a 32-bit program. Where this machine runs no 32-bit code, the 64-bit test
# packs the same script as a 64-bit installer (from DIST32_DIR, DIST_DIR and ASSET_DIR) and
# tests that one instead; the 32-bit test is skipped.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
source "$here/../../scripts/release.sh"
source "$here/setup_env.sh"
source "$here/../checks.sh"

setup=$(realpath "$1")
dist=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runnable_setup "$work" "${3:-}" "$dist" "${4:-}"
shipped=("${shipped_files[@]}")
uninst_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZelvoDrives'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

# On 64-bit Windows the product's entries are in the native registry view, which Wine's reg.exe
# (a 32-bit program) reaches only when asked; and Wine's 32-bit taskkill does not see 64-bit
# processes, so there it runs as a 64-bit program, through Debian's 64-bit loader.
reg_view=()
native_wine=(wine)
if [ "$WINEARCH" = win64 ]; then
    reg_view=(/reg:64)
    native_wine=(/usr/lib/wine/wine64)
fi

die() {
    echo "FAIL: $*" >&2
    exit 1
}

xvfb_pid=
cleanup() {
    [ -n "${prefix:-}" ] && stop_server "$prefix"
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    if [ -n "${ZELVO_KEEP_PREFIX:-}" ]; then
        echo "kept: $prefix $work"
    else
        rm -rf "${prefix:-}" "$work"
    fi
}
trap cleanup EXIT

# The icon changer and Purgo create windows; the wineserver keeps the display it starts with.
[ -n "${DISPLAY:-}" ] || start_xvfb
ensure_template
prefix=$(new_prefix)
export WINEPREFIX=$prefix
start_server "$prefix"

app="$prefix/drive_c/Program Files/Zelvo Drives"
app_win='C:\Program Files\Zelvo Drives'
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zelvo Drives"
system="$prefix/drive_c/windows/system32"

# One line per registry value ("key|name=data") and per key ("key"), sorted, so that two
# exports compare line by line.
flatten_reg() {
    iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r' |
        sed -e ':a' -e '/\\$/{N;s/\\\n *//;ba' -e '}' |
        awk '/^\[/ { key = $0; print key; next } /^$/ || /^REGEDIT|^Windows Registry/ { next }
             { print key "|" $0 }' | LC_ALL=C sort
}

# Registry (HKLM, HKCU) and the tree of drive C:.
snapshot() {
    local name=$1 hive
    for hive in HKEY_LOCAL_MACHINE HKEY_CURRENT_USER; do
        wine regedit /E "Z:${work//\//\\}\\$name-$hive.reg" "$hive" >/dev/null 2>&1 </dev/null ||
            die "regedit /E $hive"
    done
    { flatten_reg "$work/$name-HKEY_LOCAL_MACHINE.reg"; flatten_reg "$work/$name-HKEY_CURRENT_USER.reg"; } \
        >"$work/$name.reg"
    [ -s "$work/$name.reg" ] || die "empty registry export"
    (cd "$prefix" && find drive_c -printf '%y %p\n' | LC_ALL=C sort) >"$work/$name.files"
}

# "Name    REG_TYPE    data" of one value, as `reg query` prints it.
reg_value() {
    wine reg query "$1" /v "$2" "${reg_view[@]}" 2>/dev/null </dev/null | tr -d '\r' |
        sed -n "s/^    $2    [A-Z_]*    //p"
}

# winedbg lists the prefix's processes below; it writes its settings on first use, so before
# the snapshot.
wine winedbg --command "info proc" >/dev/null 2>&1 </dev/null
snapshot before

# --- Install ---------------------------------------------------------------------------------
rc=0
wine "$setup" /S >/dev/null 2>&1 </dev/null || rc=$?
[ "$rc" -eq 0 ] || die "silent install exited with $rc"

for f in "${shipped[@]}"; do
    cmp -s "$dist/$f" "$app/$f" || fail "installed $f differs from the application folder's"
done
[ -f "$app/uninstall.exe" ] || fail "no uninstall.exe"
extra=$(cd "$app" && ls -A | grep -v -x -F -e uninstall.exe "${shipped[@]/#/-e}" || true)
[ -z "$extra" ] || fail "unexpected files in the program folder: $extra"

# Shortcuts for all users, two of them, pointing at the changer and the help.
[ "$(ls -A "$menu" 2>/dev/null | LC_ALL=C sort | tr '\n' '/')" = "Zelvo Drives Help.lnk/Zelvo Drives.lnk/" ] ||
    fail "Start-menu folder holds: $(ls -A "$menu" 2>&1 | tr '\n' ' ')"
grep -a -q -F "$app_win\\ZelvoDrv.exe" "$menu/Zelvo Drives.lnk" 2>/dev/null ||
    fail "Zelvo Drives.lnk does not point at ZelvoDrv.exe"
grep -a -q -F "$app_win\\Help.chm" "$menu/Zelvo Drives Help.lnk" 2>/dev/null ||
    fail "Zelvo Drives Help.lnk does not point at Help.chm"

# The Programs and Features entry.
expect_value() {
    local got
    got=$(reg_value "$uninst_key" "$1")
    [ "$got" = "$2" ] || fail "Uninstall value $1 is '$got', expected '$2'"
}
expect_value DisplayName 'Zelvo Drives'
expect_value DisplayVersion "$release_display_version"
expect_value Publisher 'Zelvo Drives'
expect_value DisplayIcon "$app_win\\ZelvoDrv.exe"
expect_value UninstallString "\"$app_win\\uninstall.exe\""
expect_value QuietUninstallString "\"$app_win\\uninstall.exe\" /S"
expect_value InstallLocation "$app_win"
expect_value NoModify 0x1
expect_value NoRepair 0x1
# Kilobytes of the installed folder; each file may round on its own.
size_kb=$(($(cat "$app"/* | wc -c) / 1024))
estimated=$(($(reg_value "$uninst_key" EstimatedSize)))
[ "$estimated" -ge $((size_kb - 8)) ] && [ "$estimated" -le $((size_kb + 8)) ] ||
    fail "EstimatedSize is $estimated KB, the folder holds $size_kb KB"

# --- The installed icon changer installs the updater, its libraries and the logon entry ---------
wine "$app_win\\ZelvoDrv.exe" >/dev/null 2>&1 </dev/null &
changer=$!
changer_installed() {
    [ -f "$system/ZelvoPrg.icl" ] && [ -f "$system/ZDrvs.exe" ] && [ -f "$system/ZelvoDrives.icl" ] &&
        [ -n "$(reg_value "$run_key" ZDrives)" ]
}
wait_until 20 changer_installed || true
for f in ZelvoPrg.icl ZDrvs.exe ZelvoDrives.icl; do
    [ -f "$system/$f" ] || fail "the icon changer did not install $f into the System folder"
done
[ -n "$(reg_value "$run_key" ZDrives)" ] || fail "the icon changer did not add the logon entry"

# The changer's window is up, its start-up done, when X shows it.
changer_window='Zelvo Drives'
changer_ended() {
    ! kill -0 "$changer" 2>/dev/null
}
# Waits for the changer started as $changer to end; fails, and forces it, if it stays.
expect_changer_closed() {
    if ! wait_until 10 changer_ended; then
        fail "$1 did not close the open icon changer"
        "${native_wine[@]}" taskkill /f /im ZelvoDrv.exe >/dev/null 2>&1 </dev/null || true
    fi
    wait "$changer" 2>/dev/null || true
}
# True when no updater runs, so that the drive icon overrides stay still.
updaters_done() {
    ! wine winedbg --command "info proc" 2>/dev/null </dev/null | grep -q -i "'zdrvs\.exe'"
}
overrides_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\DriveIcons'
drive_icons() {
    wine reg query "$overrides_key" /s "${reg_view[@]}" 2>/dev/null </dev/null | tr -d '\r'
}

# --- An upgrade over an older release, with the changer open ---------------------------------
# An older release left other System folder copies; a drive has an override of the user's own.
wait_for_window "$changer_window" 20 >/dev/null || true
wait_until 20 updaters_done || true
wine reg add "$overrides_key\\Q\\DefaultIcon" /ve /d 'C:\Icons\own.ico,0' /f "${reg_view[@]}" \
    >/dev/null 2>&1 </dev/null || fail "could not add an override of the user's own"
for f in ZelvoPrg.icl ZDrvs.exe ZelvoDrives.icl; do
    printf 'an older release of %s\n' "$f" >"$system/$f"
done
overrides_before=$(drive_icons)
run_before=$(reg_value "$run_key" ZDrives)
rc=0
wine "$setup" /S >/dev/null 2>&1 </dev/null || rc=$?
[ "$rc" -eq 0 ] || fail "silent install over the installed release exited with $rc"
expect_changer_closed "the upgrade"
cmp -s "$dist/ZDrvs.dll" "$system/ZDrvs.exe" || fail "the upgrade left the older ZDrvs.exe"
cmp -s "$dist/ZelvoPrg.dll" "$system/ZelvoPrg.icl" || fail "the upgrade left the older ZelvoPrg.icl"
cmp -s "$dist/ZelvoDrives.icl" "$system/ZelvoDrives.icl" ||
    fail "the upgrade left the older ZelvoDrives.icl"
[ "$(drive_icons)" = "$overrides_before" ] || fail "the upgrade changed the drive icon overrides"
[ "$(reg_value "$run_key" ZDrives)" = "$run_before" ] || fail "the upgrade changed the logon entry"
entries=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s \
    "${reg_view[@]}" 2>/dev/null </dev/null | tr -d '\r' | grep -c -E '^    DisplayName    REG_SZ    Zelvo Drives$' || true)
[ "$entries" -eq 1 ] || fail "$entries Uninstall entries after the upgrade, expected one"

# The changer open again while the uninstaller runs: closed first, it writes no logon entry
# after Purgo.
wine "$app_win\\ZelvoDrv.exe" >/dev/null 2>&1 </dev/null &
changer=$!
wait_for_window "$changer_window" 20 >/dev/null || fail "the icon changer's window did not show again"

# --- Uninstall, as Programs and Features does it quietly ---------------------------------------
rc=0
wine "$app_win\\uninstall.exe" /S >/dev/null 2>&1 </dev/null || rc=$?
[ "$rc" -eq 0 ] || fail "silent uninstall exited with $rc"
# The uninstaller returns at once and goes on from a copy of itself in TEMP (Un.exe); it is
# done when no uninstaller runs any more.
uninstalled() {
    local procs
    procs=$(wine winedbg --command "info proc" 2>/dev/null </dev/null)
    ! grep -q -i -E "'(un[^']*|uninstall|purgo)\.exe'" <<<"$procs"
}
wait_until 30 uninstalled || fail "the uninstaller is still running"
expect_changer_closed "the uninstaller"

[ ! -e "$app" ] || fail "the program folder is still there: $(ls -A "$app" | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "the Start-menu folder is still there"
for f in ZelvoPrg.icl ZDrvs.exe ZelvoDrives.icl; do
    [ ! -e "$system/$f" ] || fail "$f is still in the System folder (Purgo did not run?)"
done
[ -z "$(reg_value "$run_key" ZDrives)" ] || fail "the logon entry is still there"
wine reg query "$uninst_key" "${reg_view[@]}" >/dev/null 2>&1 </dev/null &&
    fail "the Uninstall key is still there"

snapshot after

# --- Nothing of the product left ---------------------------------------------------------------
# What may differ, and why:
#  - Wine's display and device state (adapters, monitors, video modes, the service counter and
#    the session's copies of system parameters), written whenever Wine brings up the display or
#    starts a service; the product never writes there.
#  - The drive icon overrides key itself: Purgo deletes the whole key (on 64-bit Windows in both
#    registry views), and a fresh Wine prefix holds an empty one (Windows has none until
#    something writes an override).
#  - The start type of Wine's Task Scheduler service, which Wine changes when the logon task is
#    registered through it.
#  - The uninstaller's own copy in TEMP (~nsuN.tmp\Un.exe, as every NSIS uninstaller leaves it),
#    scheduled for deletion at the next restart; checked below to be all that is scheduled.
wine_state='^\[HKEY_LOCAL_MACHINE\\(Hardware\\|System\\CurrentControlSet\\(Control\\(Class|DeviceClasses|Video|ServiceCurrent)|Hardware Profiles)[]\\])|^\[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters[]\\]|^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Schedule\]\|"Start"='
drive_icons_key='^\[HKEY_LOCAL_MACHINE\\Software\\(Wow6432Node\\)?Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\]$'
pending='^\[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Session Manager\]\|"PendingFileRenameOperations"='
uninst_copy='^[df] drive_c/users/[^/]+/Temp/~nsu[0-9]+\.tmp(/Un[^/]*\.exe)?$'

# Every deletion scheduled for the restart names the uninstaller's copy or its folder.
pending_line=$(grep -E "$pending" "$work/after.reg" || true)
if [ -n "$pending_line" ] && ! grep -q -x -F "$pending_line" "$work/before.reg"; then
    hex=${pending_line#*=hex(7):}
    printf '%b' "$(echo "$hex" | sed -e 's/,/\\x/g' -e 's/^/\\x/')" | iconv -f UTF-16LE -t UTF-8 |
        tr '\0' '\n' | grep -v '^$' >"$work/pending" || true
    if grep -v -i -E '^\\\?\?\\C:\\users\\[^\\]+\\Temp\\~nsu[0-9]+\.tmp(\\Un[^\\]*\.exe)?$' "$work/pending"; then
        fail "files other than the uninstaller's copy are scheduled for deletion at restart"
    fi
fi

diff "$work/before.reg" "$work/after.reg" | grep -E '^[<>] ' | cut -c3- |
    grep -v -E -e "$wine_state" -e "$drive_icons_key" -e "$pending" >"$work/reg.left" || true
diff "$work/before.files" "$work/after.files" | grep -E '^[<>] ' | cut -c3- |
    grep -v -E "$uninst_copy" >"$work/files.left" || true
if [ -s "$work/reg.left" ]; then
    fail "the registry differs from before the install:"
    head -50 "$work/reg.left" >&2
fi
if [ -s "$work/files.left" ]; then
    fail "drive C: differs from before the install:"
    head -50 "$work/files.left" >&2
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "installer: all checks passed"
