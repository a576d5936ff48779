#!/usr/bin/env bash
# Packs the application folder into the release files:
#   ZelvoDrivesSetup-1.00.exe  the installer (NSIS)
#   ZelvoDrives-1.00.zip       the folder "Zelvo Drives/" with README.txt, for use without setup
#
#   package.sh [DIST_DIR [OUT_DIR [ASSET_DIR]]]
# Defaults: build/dist, build, build/win32/assets. Called by the win32 build (installer/).
#
# The same inputs give the same bytes: every packed file gets one fixed time (SOURCE_DATE_EPOCH,
# else the time of the checked-out commit) and the archive lists its files in a fixed order.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$(cd "${1:-$root/build/dist}" && pwd)
out=${2:-$root/build}
assets=$(cd "${3:-$root/build/win32/assets}" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

version=1.00
files=(Help.chm Purgo.exe ZDrvs.dll ZelvoDrives.icl ZelvoDrv.exe ZelvoPrg.dll)

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}
if [ -z "$epoch" ]; then
    echo "package.sh: no SOURCE_DATE_EPOCH and no git commit to take the file time from" >&2
    exit 1
fi
# Zip stores local time; one zone for everyone.
export TZ=UTC

work=$(mktemp -d "$out/.package.XXXXXX")
trap 'rm -rf "$work"' EXIT
app="$work/Zelvo Drives"
mkdir "$app"
for f in "${files[@]}"; do
    [ -f "$dist/$f" ] || { echo "package.sh: missing $dist/$f" >&2; exit 1; }
    cp "$dist/$f" "$app/$f"
done
# README.txt is for Windows: CRLF line ends whatever the checkout did to it.
sed -e 's/\r$//' -e 's/$/\r/' "$root/installer/README.txt" >"$app/README.txt"
chmod 0644 "$app"/*
find "$work" -exec touch -h -d "@$epoch" {} +

# The installer. makensis 3.08 keeps its stub's fixed PE time stamp and takes the packed
# files' times from the staged copies.
makensis -V2 -NOCD -INPUTCHARSET UTF8 \
    "-DSTAGE=$app" "-DICON=$assets/changer.ico" "-DUNICON=$assets/remover.ico" \
    "-DOUTFILE=$work/ZelvoDrivesSetup-$version.exe" \
    "$root/installer/ZelvoDrives.nsi"

# The archive: no directory entries, no Unix extras (uid, gid, extended times), sorted names.
(
    cd "$work"
    printf 'Zelvo Drives/%s\n' README.txt "${files[@]}" | LC_ALL=C sort |
        zip -q -X -D -9 "$work/ZelvoDrives-$version.zip" -@
)

mv -f "$work/ZelvoDrivesSetup-$version.exe" "$out/ZelvoDrivesSetup-$version.exe"
mv -f "$work/ZelvoDrives-$version.zip" "$out/ZelvoDrives-$version.zip"
echo "Installer: $out/ZelvoDrivesSetup-$version.exe"
echo "Archive:   $out/ZelvoDrives-$version.zip"
