#!/usr/bin/env bash
# The two icon libraries as icoutils reads them: ZelvoPrg.dll holds 51 icon groups and
# ZelvoDrives.icl 10, named 1..N in index order, each with the images of 16, 20, 24, 32, 40, 48,
# 64 and 256 pixels at 32 bits per pixel.
#   icon_libraries_test.sh APPLICATION_FOLDER
set -u
dist=$1
expected_sizes="16 20 24 32 40 48 64 256"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

check_library() {
    local file=$dist/$1 count=$2
    [ -f "$file" ] || { fail "$1 is missing"; return; }
    local names
    names=$(wrestool -l --type=14 "$file" | sed -n 's/.*--name=\([^ ]*\).*/\1/p' | tr '\n' ' ')
    local expected
    expected=$(seq -s ' ' 1 "$count")
    [ "$names" = "$expected " ] || { fail "$1 icon groups: '$names', expected 1..$count"; return; }
    for name in $names; do
        local ico="$work/$1-$name.ico"
        wrestool -x --type=14 --name="$name" -o "$ico" "$file" 2>/dev/null
        local listing
        listing=$(icotool -l "$ico" 2>&1)
        local sizes
        sizes=$(sed -n 's/.*--width=\([0-9]*\).*/\1/p' <<<"$listing" | tr '\n' ' ')
        [ "$sizes" = "$expected_sizes " ] || fail "$1 group $name sizes: '$sizes'"
        if grep -v -q -- '--bit-depth=32 ' <<<"$listing"; then
            fail "$1 group $name has images of fewer than 32 bits: $listing"
        fi
    done
}

check_library ZelvoPrg.dll 51
check_library ZelvoDrives.icl 10
echo "$failures failed"
[ "$failures" -eq 0 ]
