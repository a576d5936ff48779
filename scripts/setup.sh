#!/usr/bin/env bash
# Installs what building and testing need, with apt-get only; fast when all is present.
# The 32-bit Wine comes in an apt call of its own, after the rest: a mirror part-way through a sync
# can lack its i386 twins of the amd64 libraries, and then only the 32-bit tests go without it
# (scripts/wine-env.sh notices). It is tried again at every run until it is installed.
set -euo pipefail

wine32=wine32:i386
packages=(cmake ninja-build g++ libgtest-dev libtinyxml2-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64
          googletest wine wine64 xvfb xauth x11-utils fonts-wine fp-utils nsis zip unzip
          imagemagick clang-format librsvg2-bin icoutils netpbm fonts-dejavu-core osslsigncode
          openssl p7zip-full "$wine32")

# One query for all (a query each costs seconds); native packages may be named with their
# architecture.
declare -A installed
arch=$(dpkg --print-architecture)
while IFS='|' read -r status name; do
    [ "$status" != "ii " ] || installed[${name%:"$arch"}]=1
done < <(dpkg-query -W -f='${db:Status-Abbrev}|${binary:Package}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
    [ -n "${installed[$p]:-}" ] || [ "$p" = "$wine32" ] || missing+=("$p")
done
need_wine32=${installed[$wine32]:-missing}
[ ${#missing[@]} -eq 0 ] && [ "$need_wine32" != missing ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
# A list that failed to download leaves apt with the one it had, or none: the install may still
# find everything, so it is tried all the same.
if ! $sudo apt-get update -qq; then
    echo "setup.sh: apt-get update failed (above); trying the install with the package lists at hand" >&2
fi
# Installs the packages; on a failure prints apt's reason (the first unmet dependencies and its
# errors, not its whole output) and fails.
install() {
    local output
    echo "Installing: $*"
    if ! output=$(DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q \
        --no-install-recommends "$@" 2>&1); then
        sed -n '/unmet dependencies:/,$p' <<<"$output" | grep -v '^ \{10,\}' | head -n 8 >&2
        grep '^E:' <<<"$output" >&2 || true
        return 1
    fi
}
[ ${#missing[@]} -eq 0 ] || install "${missing[@]}"
if [ "$need_wine32" = missing ]; then
    if ! install "$wine32"; then
        echo "setup.sh: the 32-bit Wine ($wine32) could not be installed, for apt's reason above;" \
            "going on with 64-bit Windows programs only: the 32-bit Wine tests are skipped." \
            "The next run of setup tries again." >&2
    fi
fi
