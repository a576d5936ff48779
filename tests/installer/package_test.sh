#!/usr/bin/env bash
# The release files: each archive holds its application folder and README.txt as a Windows user
# expects them, and packing the same application folders twice gives the same bytes, whatever
# the packing machine's clock, time zone, umask and file times.
#   package_test.sh ARCHIVE ARCHIVE64 DIST_DIR DIST64_DIR ASSET_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
package="$here/../../scripts/package.sh"
archive32=$(realpath "$1")
archive64=$(realpath "$2")
dist32=$(realpath "$3")
dist64=$(realpath "$4")
assets=$(realpath "$5")
source "$here/../../scripts/release.sh"
source "$here/../checks.sh"
shipped=("${shipped_files[@]}")
v=$release_display_version

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- The archives as built ----------------------------------------------------------------------
check_archive() {
    local archive=$1 dist=$2 expected listed lines crlf details f
    expected=$(printf 'Zelvo Drives/%s\n' README.txt "${shipped[@]}" | LC_ALL=C sort)
    listed=$(unzip -Z1 "$archive")
    [ "$listed" = "$expected" ] || fail "archive lists, in this order:"$'\n'"$listed"
    for f in "${shipped[@]}"; do
        unzip -p "$archive" "Zelvo Drives/$f" | cmp -s - "$dist/$f" || fail "archived $f differs"
    done
    unzip -p "$archive" "Zelvo Drives/README.txt" >"$work/README.txt"
    [ -s "$work/README.txt" ] || fail "README.txt is empty"
    lines=$(wc -l <"$work/README.txt")
    crlf=$(grep -c $'\r$' "$work/README.txt" || true)
    [ "$lines" -eq "$crlf" ] || fail "README.txt: $((lines - crlf)) of $lines lines do not end in CRLF"
    grep -q $'\r\r' "$work/README.txt" && fail "README.txt has doubled carriage returns"
    # One time for every entry; no Unix extra fields (uid, gid, times of this machine).
    [ "$(zipinfo -T "$archive" | awk '/^-/ { print $7 }' | sort -u | wc -l)" -eq 1 ] ||
        fail "archive entries carry different times"
    # (Listings are read whole before grep -q: stopping a writer early would fail its pipeline.)
    details=$(zipinfo -v "$archive")
    [ -z "$(grep 'length of extra field' <<<"$details" | grep -v ' 0 bytes')" ] ||
        fail "archive entries carry extra fields"
}
check_archive "$archive32" "$dist32"
check_archive "$archive64" "$dist64"

# --- Packing twice -----------------------------------------------------------------------------
# Each run from its own copy of the application folder, with fresh file times, another umask
# and another time zone, a second apart.
pack() {
    local name=$1 zone=$2 mask=$3
    mkdir -p "$work/$name/dist" "$work/$name/dist64"
    cp "$dist32"/* "$work/$name/dist/"
    cp "$dist64"/* "$work/$name/dist64/"
    (umask "$mask" && SOURCE_DATE_EPOCH=1700000000 TZ=$zone \
        bash "$package" "$work/$name/dist" "$work/$name/dist64" "$work/$name" "$assets" >/dev/null)
}
pack one UTC 022
sleep 1
pack two Pacific/Auckland 077
for f in "ZelvoDrivesSetup-$v.exe" "ZelvoDrives-$v.zip" "ZelvoDrives-$v-x64.zip"; do
    cmp -s "$work/one/$f" "$work/two/$f" || fail "$f differs between two packings: $(cmp "$work/one/$f" "$work/two/$f" | head -1)"
done
# The archive's time is the one asked for, in UTC: 2023-11-14 22:13:20.
times=$(zipinfo -T "$work/one/ZelvoDrives-$v.zip")
grep -q '20231114\.2213' <<<"$times" ||
    fail "archive entries do not carry SOURCE_DATE_EPOCH"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package: all checks passed"
