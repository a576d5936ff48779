#!/usr/bin/env bash
# The help's picture of the main window as window_picture.cmake lays it out from a control
# table with its role column: rows placed by constants and captions from constants, the hidden
# and the unseen rows left out, and a row it cannot place left out with a warning while the rest
# is drawn.
#   window_picture_test.sh WINDOW_PICTURE_CMAKE
set -u
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

# Writes a window's source whose table holds the rows on standard input.
source_with_rows() {
    cat <<'HEAD'
constexpr char kTitle[] = "Zelvo Drives";
constexpr int kClientWidthTwips = 4905;
constexpr int kClientHeightTwips = 3075;
constexpr char kPrompt[] = "Select a Drive; "
                           "then Browse";
constexpr TwipRect kImage1Twips = {240, 40, 720, 720};
constexpr ControlSpec kControls[] = {
HEAD
    cat
    echo '};'
}

# "name x y width height" of each control drawn, in pixels at twice 96 dpi.
drawn() {
    sed -n -e 's/.*<g id="\([A-Za-z0-9]*\)">.*/\1/p' \
        -e 's/.*class="extent" x="\([0-9]*\)\.5" y="\([0-9]*\)\.5" width="\([0-9]*\)" height="\([0-9]*\)".*/\1 \2 \3 \4/p' \
        "$1" | paste -d ' ' - - | LC_ALL=C sort
}

expected="Image1 32 5 96 96
Label1 80 160 426 26
cboDrives 32 272 114 42
cmdChange 230 352 194 47
txtIconPath 32 208 528 38"

# case|rows
cases=(
"with roles|    {IDC_TXTDUMMY, ControlRole::Plain, \"EDIT\", \"\", WS_TABSTOP, 0, {240, 3300, 300, 285}},
    {IDC_CBODRIVES, ControlRole::DropDown, \"COMBOBOX\", \"\", WS_TABSTOP | CBS_DROPDOWNLIST, 0, {240, 2040, 855, 315}},
    {IDC_CMDCHANGE, ControlRole::Plain, \"BUTTON\", \"&Apply Icon\", WS_TABSTOP | BS_PUSHBUTTON, 0, {1725, 2640, 1455, 350}},
    {IDC_LBLWAITING, ControlRole::HiddenUnlessWaiting, \"STATIC\", \"Waiting...\", SS_LEFT, 0, {1320, 2100, 3615, 195}},
    {IDC_TXTICONPATH, ControlRole::Plain, \"EDIT\", \"\", WS_TABSTOP, WS_EX_CLIENTEDGE,
     {240, 1560, 3960, 285}},
    {IDC_IMAGE1, ControlRole::OnBand, \"STATIC\", \"\", SS_BITMAP, 0, kImage1Twips},
    {IDC_LABEL1, ControlRole::FittedCaption, \"STATIC\", kPrompt, SS_CENTER, 0, {600, 1200, 3195, 195}},"
)
for entry in "${cases[@]}"; do
    name=${entry%%|*}
    source_with_rows <<<"${entry#*|}" >"$work/window.cpp"
    cmake -DSOURCE="$work/window.cpp" -DOUTPUT="$work/window.svg" -P "$script" >"$work/log" 2>&1 ||
        { fail "$name: $(cat "$work/log")"; continue; }
    [ "$(drawn "$work/window.svg")" = "$expected" ] || fail "$name: drew $(drawn "$work/window.svg")"
    grep -q '>Select a Drive&#59; then Browse<' "$work/window.svg" || fail "$name: no caption of kPrompt"
    grep -q '><tspan text-decoration="underline">A</tspan>pply Icon<' "$work/window.svg" ||
        fail "$name: Apply's access key is not underlined"
    rsvg-convert -o "$work/window.png" "$work/window.svg" || fail "$name: the picture does not render"
done

# A row without a place is left out, said so, and the others are drawn.
source_with_rows >"$work/window.cpp" <<'ROWS'
    {IDC_CMDCLOSE, ControlRole::Plain, "BUTTON", "&Close", WS_TABSTOP, 0, kNowhereTwips},
    {IDC_CMDCHANGE, ControlRole::Plain, "BUTTON", "&Apply Icon", WS_TABSTOP, 0, {1725, 2640, 1455, 350}},
ROWS
cmake -DSOURCE="$work/window.cpp" -DOUTPUT="$work/window.svg" -P "$script" >"$work/log" 2>&1 ||
    fail "a row without a place stopped the picture"
grep -q 'IDC_CMDCLOSE has no place' "$work/log" || fail "no warning for a row without a place"
[ "$(drawn "$work/window.svg")" = "cmdChange 230 352 194 47" ] ||
    fail "with a row without a place, drew $(drawn "$work/window.svg")"

echo "$failures failed"
[ "$failures" -eq 0 ]
