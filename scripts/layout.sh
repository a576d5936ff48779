# Sourced: the names that the installer shares with the programs, read from the programs' own
# list of them, shared/product/layout.h, so that both always agree.
#   layout_text NAME       the text of the one-line string constant NAME (kChangerWindowClass),
#                          narrow or wide
#   layout_installed_files "shipped installed" a line for each file installed into the System
#                          folder, in the order of the table kInstalledFiles

layout_header=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/shared/product/layout.h

layout_text() {
    local text
    text=$(sed -En "s/^inline constexpr (char|wchar_t) $1\\[\\] = L?\"(.*)\";\$/\\2/p" "$layout_header")
    if [ -z "$text" ]; then
        echo "layout.sh: no one-line constant $1 in $layout_header" >&2
        return 1
    fi
    printf '%s\n' "${text//\\\\/\\}"
}

layout_installed_files() {
    local rows shipped installed
    rows=$(sed -n '/^inline constexpr InstalledFile kInstalledFiles\[\] = {$/,/^};$/s/^ *{\(k[A-Za-z]*\), \(k[A-Za-z]*\)},$/\1 \2/p' \
        "$layout_header")
    if [ -z "$rows" ]; then
        echo "layout.sh: no table kInstalledFiles in $layout_header" >&2
        return 1
    fi
    while read -r shipped installed; do
        shipped=$(layout_text "$shipped") && installed=$(layout_text "$installed") || return 1
        echo "${shipped#\\} ${installed#\\}"
    done <<<"$rows"
}
