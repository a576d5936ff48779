#!/usr/bin/env bash
# Installs what building and testing need, with apt-get only; fast when all is present.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev libtinyxml2-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64
          googletest wine wine32:i386 wine64 xvfb xauth x11-utils fonts-wine fp-utils nsis zip unzip
          imagemagick clang-format librsvg2-bin icoutils netpbm fonts-dejavu-core osslsigncode
          openssl)

# One query for all (a query each costs seconds); native packages may be named with their
# architecture.
declare -A installed
arch=$(dpkg --print-architecture)
while IFS='|' read -r status name; do
    [ "$status" != "ii " ] || installed[${name%:"$arch"}]=1
done < <(dpkg-query -W -f='${db:Status-Abbrev}|${binary:Package}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
    [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
