#!/usr/bin/env bash
# Packs the application folders into the release files (V: the version, e.g. 1.00):
#   ZelvoDrivesSetup-V.exe  the installer (NSIS), carrying the 32-bit and the x86-64 programs
#   ZelvoDrives-V.zip       the folder "Zelvo Drives/" with README.txt, for use without setup
#   ZelvoDrives-V-x64.zip   the same with the x86-64 programs, for 64-bit Windows
#
#   package.sh [DIST_DIR [DIST64_DIR [OUT_DIR [ASSET_DIR]]]]
# Defaults: build/dist, build/dist64, build, build/win32/assets. Called by the win64 build
# (installer/), the one that comes after both application folders.
#
# The same inputs give the same bytes: every packed file gets one fixed time (SOURCE_DATE_EPOCH,
# else the time of the checked-out commit, else the newest file time of the source tree) and the
# archive lists its files in a fixed order. The version and the files come from release.txt; the
# names the installer shares with the programs (window classes, the updaters' lock, the files
# installed into the System folder) from shared/contract/layout.h.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/release.sh"
source "$root/scripts/layout.sh"
dist=$(cd "${1:-$root/build/dist}" && pwd)
dist64=$(cd "${2:-$root/build/dist64}" && pwd)
out=${3:-$root/build}
assets=$(cd "${4:-$root/build/win32/assets}" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

version=$release_display_version
files=("${shipped_files[@]}")
changer_class=$(layout_text kChangerWindowClass)
updater_class=$(layout_text kUpdaterWindowClass)
updater_lock_namespace=$(layout_text kUpdaterLockNamespace)
updater_lock=$(layout_text kUpdaterLockName)
updater_lock_global=$(layout_text kUpdaterMutexName)
installed_files=$(layout_installed_files)

epoch=$(source_epoch)
# Zip stores local time; one zone for everyone.
export TZ=UTC

work=$(mktemp -d "$out/.package.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Stages one application folder as "<kind>/Zelvo Drives" with README.txt.
stage() {
    local from=$1 app="$work/$2/Zelvo Drives" f
    mkdir -p "$app"
    for f in "${files[@]}"; do
        [ -f "$from/$f" ] || { echo "package.sh: missing $from/$f" >&2; exit 1; }
        cp "$from/$f" "$app/$f"
    done
    # README.txt is for Windows: CRLF line ends whatever the checkout did to it.
    sed -e 's/\r$//' -e 's/$/\r/' -e "s/@VERSION@/$version/g" "$root/installer/README.txt" \
        >"$app/README.txt"
    chmod 0644 "$app"/*
}
stage "$dist" x86
stage "$dist64" x64
# The wizard's pictures, packed as files: they carry the fixed time too.
mkdir "$work/art"
cp "$assets"/setup_*.bmp "$work/art/"
find "$work" -exec touch -h -d "@$epoch" {} +

# The installer's lists of the application folder's files and of the System folder's copies, and
# the names it finds the programs by.
{
    echo '!macro INSTALL_FILES STAGE'
    printf '  File "${STAGE}\\%s"\n' "${files[@]}"
    echo '!macroend'
    echo '!macro DELETE_FILES'
    printf '  Delete /REBOOTOK "$INSTDIR\\%s"\n' "${files[@]}"
    echo '!macroend'
    echo '!macro REFRESH_EACH_SYSTEM_COPY STAGE'
    while read -r shipped installed; do
        printf '  !insertmacro REFRESH_SYSTEM_COPY "${STAGE}" %s %s\n' "$shipped" "$installed"
    done <<<"$installed_files"
    echo '!macroend'
    printf '!define CHANGER_CLASS "%s"\n' "$changer_class"
    printf '!define UPDATER_CLASS "%s"\n' "$updater_class"
    printf '!define UPDATER_LOCK_NAMESPACE "%s"\n' "$updater_lock_namespace"
    printf '!define UPDATER_LOCK "%s"\n' "$updater_lock"
    printf '!define UPDATER_LOCK_GLOBAL "%s"\n' "$updater_lock_global"
} >"$work/files.nsh"

# The installer. makensis 3.08 keeps its stub's fixed PE time stamp and takes the packed
# files' times from the staged copies.
# ZELVO_INSTALLER_TARGET (amd64-unicode) packs a 64-bit installer instead, for machines that
# run no 32-bit code; the release's installer is the 32-bit one.
# ZELVO_INSTALLER_SIGN (set by scripts/sign.sh) is the command that signs the uninstaller and
# the installer while they are built; unset, nothing is signed.
options=()
[ -z "${ZELVO_INSTALLER_TARGET:-}" ] || options+=("-DTARGET=$ZELVO_INSTALLER_TARGET")
[ -z "${ZELVO_INSTALLER_SIGN:-}" ] || options+=("-DSIGN=$ZELVO_INSTALLER_SIGN")
makensis -V2 -NOCD -INPUTCHARSET UTF8 "${options[@]}" \
    "-DVERSION=$version" "-DVERSION_NUMBERS=$release_version" "-DFILES=$work/files.nsh" \
    "-DSTAGE32=$work/x86/Zelvo Drives" "-DSTAGE64=$work/x64/Zelvo Drives" \
    "-DICON=$assets/changer.ico" "-DUNICON=$assets/remover.ico" "-DART=$work/art" \
    "-DOUTFILE=$work/ZelvoDrivesSetup-$version.exe" \
    "$root/installer/ZelvoDrives.nsi"

# The archives: no directory entries, no Unix extras (uid, gid, extended times), sorted names.
archive() {
    (
        cd "$work/$1"
        printf 'Zelvo Drives/%s\n' README.txt "${files[@]}" | LC_ALL=C sort |
            zip -q -X -D -9 "$work/$2" -@
    )
}
archive x86 "ZelvoDrives-$version.zip"
archive x64 "ZelvoDrives-$version-x64.zip"

for f in "ZelvoDrivesSetup-$version.exe" "ZelvoDrives-$version.zip" "ZelvoDrives-$version-x64.zip"; do
    mv -f "$work/$f" "$out/$f"
    echo "Release file: $out/$f"
done
