# Sourced: the names that the installer shares with the programs, and the number of usage-bar
# icons that the build makes, read from the programs' own list of them, shared/contract/layout.h,
# so that all always agree. The one place that knows where that header lies: the build asks here.
#   layout_header          the header's path
#   layout_text NAME       the text of the one-line string constant NAME (kChangerWindowClass),
#                          narrow or wide
#   layout_number NAME     the value of the one-line integer constant NAME (kUsageIconCount)
#   layout_installed_files "shipped installed" a line for each file installed into the System
#                          folder, in the order of the table kInstalledFiles

layout_header=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/shared/contract/layout.h

layout_text() {
    local text
    text=$(sed -En "s/^inline constexpr (char|wchar_t) $1\\[\\] = L?\"(.*)\";\$/\\2/p" "$layout_header")
    if [ -z "$text" ]; then
        echo "layout.sh: no one-line constant $1 in $layout_header" >&2
        return 1
    fi
    printf '%s\n' "${text//\\\\/\\}"
}

layout_number() {
    local value
    value=$(sed -En "s/^inline constexpr int $1 = ([0-9]+);\$/\\1/p" "$layout_header")
    if [ -z "$value" ]; then
        echo "layout.sh: no one-line number $1 in $layout_header" >&2
        return 1
    fi
    echo "$value"
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
