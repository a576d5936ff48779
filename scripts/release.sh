# Sourced: the release's version and shipped files from release.txt, and the time every
# released file carries.
#   release_version          e.g. 1.0.0.0, for version resources
#   release_display_version  major.minor with two digits, e.g. 1.00, in file names and texts
#   shipped_files            the files of an application folder (array)
#   signed_files             the programs among them, signed in a signed release (array)
#   source_epoch             prints SOURCE_DATE_EPOCH, else the checked-out commit's time, else
#                            the newest file time of the source tree (a tree without .git)

release_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

release_value() {
    sed -n "s/^$1=//p" "$release_root/release.txt"
}
release_version=$(release_value VERSION)
IFS=. read -r release_major release_minor _ <<<"$release_version"
release_display_version=$(printf '%d.%02d' "$release_major" "$release_minor")
read -r -a shipped_files <<<"$(release_value SHIPPED_FILES)"
read -r -a signed_files <<<"$(release_value SIGNED_FILES)"

source_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    elif [ "$(git -C "$release_root" rev-parse --show-toplevel 2>/dev/null)" = "$release_root" ]; then
        git -C "$release_root" log -1 --format=%ct
    else
        # An exported tree (git archive gives every file the commit's time); what a build
        # writes (build/) does not count.
        find "$release_root" -path "$release_root/build" -prune -o -type f -printf '%T@\n' |
            cut -d. -f1 | sort -n | tail -1
    fi
}
