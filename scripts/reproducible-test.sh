#!/usr/bin/env bash
# Two builds of the same sources, in different folders, at different times and in different
# time zones, give the same release files byte for byte: the files of both application folders,
# the installer and the archives. Brings the deliverables in build/ here up to date, builds
# them (not the tests) again from a copy of this tree without .git, in a temporary folder, and
# compares. Then packs in the copy without git and without SOURCE_DATE_EPOCH: the files carry
# the newest file time of the sources.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/release.sh
version=$release_display_version
releases=("ZelvoDrivesSetup-$version.exe" "ZelvoDrives-$version.zip" "ZelvoDrives-$version-x64.zip")

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The application folders of both presets, and the release files: no test programs.
build_release() {
    scripts/configure.sh win32
    cmake --build --preset win32 -j"$(nproc)" --target zelvo_app_folder >/dev/null
    scripts/configure.sh win64
    cmake --build --preset win64 -j"$(nproc)" --target zelvo_release >/dev/null
}
build_release

work=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy="$work/another place/Zelvo Drives"
mkdir -p "$copy"
# The sources as they are (a copy keeps their file times), without the build and git.
tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy" -xf -

# The same source time as here, whichever way here found it.
epoch=$(source_epoch)
(
    cd "$copy"
    export SOURCE_DATE_EPOCH=$epoch TZ=Pacific/Auckland
    build_release
)

for f in "${shipped_files[@]}"; do
    for folder in dist dist64; do
        cmp -s "build/$folder/$f" "$copy/build/$folder/$f" ||
            fail "$folder/$f differs: $(cmp "build/$folder/$f" "$copy/build/$folder/$f" 2>&1 | head -1)"
    done
done
for f in "${releases[@]}"; do
    cmp -s "build/$f" "$copy/build/$f" ||
        fail "$f differs: $(cmp "build/$f" "$copy/build/$f" 2>&1 | head -1)"
done

# Packing a tree without git, with no time given: the newest file time of its sources.
newest=$(find "$copy" -path "$copy/build" -prune -o -type f -printf '%T@\n' | cut -d. -f1 |
    sort -n | tail -1)
if (cd "$copy" && env -u SOURCE_DATE_EPOCH bash scripts/package.sh build/dist build/dist64 \
    "$work/packed" build/win32/assets >/dev/null); then
    # Zip keeps even seconds: an odd time is stored a second early or late.
    times=$(zipinfo -T "$work/packed/ZelvoDrives-$version.zip")
    carried=false
    for t in $((newest - 1)) "$newest" $((newest + 1)); do
        grep -q "$(TZ=UTC date -d "@$t" +%Y%m%d.%H%M%S)" <<<"$times" && carried=true
    done
    $carried || fail "without git the archive does not carry the newest file time of the sources"
else
    fail "packing a tree without git and without SOURCE_DATE_EPOCH failed"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "reproducible: $((${#shipped_files[@]} * 2 + ${#releases[@]})) files identical from another folder and time"
