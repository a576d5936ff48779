#!/usr/bin/env bash
# The help file's pictures as 7-Zip lists and unpacks them (7z, package p7zip-full): the icons of
# ZelvoDrives.icl and the usage bars of 0, 25, 50, 80, 90 and 100 % that its pages show, each
# 48 px and the very pixels of that icon's 48 px image in the shipped library; the main window,
# at least the size of its client area at twice 96 dpi; every picture a page shows present in
# the file, and every picture with alternative text.
#   help_test.sh APPLICATION_FOLDER
set -u
dist=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

7z x -y -o"$work/chm" "$dist/Help.chm" >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
chm=$work/chm

# "WIDTH HEIGHT" of a PNG file.
size_of() {
    pngtopnm "$1" 2>/dev/null | pnmfile | sed -n 's/.* \([0-9]*\) by \([0-9]*\).*/\1 \2/p'
}

# The picture NAME of the help must be the 48 px image of icon INDEX of LIBRARY.
#   expect_icon NAME LIBRARY INDEX
expect_icon() {
    local picture=$chm/$1 group=$work/$1.ico image
    [ -f "$picture" ] || { fail "$1 is not in Help.chm"; return; }
    [ "$(size_of "$picture")" = "48 48" ] || fail "$1 is $(size_of "$picture"), not 48 by 48"
    wrestool -x --type=14 --name=$(($3 + 1)) -o "$group" "$dist/$2" 2>/dev/null
    icotool -x -w 48 -b 32 -o "$work/$1.icon.png" "$group" 2>/dev/null
    cmp -s <(pngtopam -alphapam "$picture") <(pngtopam -alphapam "$work/$1.icon.png") ||
        fail "$1 is not icon $3 of $2"
}

for index in 0 1 2 3 4 5 6 7 8 9; do
    expect_icon "$(printf 'drive%02d.png' "$index")" ZelvoDrives.icl "$index"
done
for index in 0 11 24 39 44 50; do
    expect_icon "$(printf 'usage%02d.png' "$index")" ZelvoPrg.dll "$index"
done

# The client area is 4905 by 3075 twips: 654 by 410 pixels at twice 96 dpi.
read -r width height <<<"$(size_of "$chm/window.png")"
[ "${width:-0}" -ge 654 ] && [ "${height:-0}" -ge 410 ] ||
    fail "the main window's picture is ${width:-missing} by ${height:-missing}"

# Each page's pictures: in the file, each with its alternative text.
for page in "$chm"/*.html; do
    tr '\n' ' ' <"$page" | grep -o '<img [^>]*>' | while read -r img; do
        src=$(sed -n 's/.* src="\([^"]*\)".*/\1/p' <<<"$img")
        [ -f "$chm/$src" ] || echo "FAIL $(basename "$page") shows $src, which Help.chm lacks"
        grep -q ' alt="[^"]' <<<"$img" || echo "FAIL $(basename "$page"): $src has no alternative text"
    done
done >"$work/pages"
failures=$((failures + $(grep -c '^FAIL' "$work/pages")))
cat "$work/pages"

echo "$failures failed"
[ "$failures" -eq 0 ]
