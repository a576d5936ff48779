#!/usr/bin/env bash
# scripts/contact-sheet.sh [ASSET_DIR [OUTPUT]]: lays the usage-bar icons (as many as layout.h
# declares) at 16, 48 and 256 px and the ten drive icons at every size on one sheet, taken from
# the packed icon files as Windows reads them. Defaults: build/win32/assets and
# build/contact-sheet.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/layout.sh
levels=$(layout_number kUsageIconCount)
assets=${1:-build/win32/assets}
output=${2:-build/contact-sheet.png}
for tool in icotool rsvg-convert; do
    command -v "$tool" >/dev/null || { echo "contact-sheet: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
done
[ -f "$assets/usage00.ico" ] || { echo "contact-sheet: no icons in $assets; build first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The icon files, in index order.
usage=()
for ((level = 0; level < levels; level++)); do
    usage+=("$(printf '%s/usage%02d.ico' "$assets" "$level")")
done
drives=("$assets"/drive??.ico)
# Every image of every icon, as NAME_INDEX_SIZExSIZExDEPTH.png.
icotool -x -o "$work" "${usage[@]}" "${drives[@]}"

# The SIZE px image of an icon file.
image() {
    local found=("$work/$(basename "$1" .ico)"_*_"$2x$2"x32.png)
    [ -f "${found[0]}" ] || { echo "contact-sheet: $1 has no 32-bit $2 px image" >&2; exit 1; }
    echo "${found[0]}"
}

gap=8
body=""
y=$gap
width=0
label() {
    body+="<text x=\"$gap\" y=\"$((y + 14))\" font-family=\"DejaVu Sans\" font-size=\"14\">$1</text>"
    y=$((y + 22))
}
# One row of icons of one size; wraps after `per_row` icons.
row() {
    local size=$1 per_row=$2 x=$gap count=0
    shift 2
    for ico in "$@"; do
        body+="<image x=\"$x\" y=\"$y\" width=\"$size\" height=\"$size\" href=\"$(image "$ico" "$size")\"/>"
        x=$((x + size + gap))
        [ $x -gt $width ] && width=$x
        count=$((count + 1))
        if [ $((count % per_row)) -eq 0 ] && [ $count -lt $# ]; then
            x=$gap
            y=$((y + size + gap))
        fi
    done
    y=$((y + size + 2 * gap))
}

label "Usage bars, index 0 to $((levels - 1)), at 16 px"
row 16 "$levels" "${usage[@]}"
label "at 48 px"
row 48 $(((levels + 1) / 2)) "${usage[@]}"
label "at 256 px"
row 256 $(((levels + 3) / 4)) "${usage[@]}"
label "Drive icons, index 0 to 9, at 16, 20, 24, 32, 40, 48, 64 and 256 px"
for size in 16 20 24 32 40 48 64 256; do
    row "$size" 10 "${drives[@]}"
done

{
    echo "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"$width\" height=\"$y\">"
    echo "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>$body</svg>"
} >"$work/sheet.svg"
mkdir -p "$(dirname "$output")"
rsvg-convert -o "$output" "$work/sheet.svg"
echo "Contact sheet: $output"
