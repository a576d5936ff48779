#!/usr/bin/env bash
# Installs what building and testing need, with apt-get only; fast when all is present.
set -euo pipefail

packages=(cmake make g++ libgtest-dev libtinyxml2-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64
          googletest wine wine32:i386 wine64 xvfb xauth x11-utils fonts-wine fp-utils nsis zip unzip
          imagemagick clang-format librsvg2-bin icoutils netpbm fonts-dejavu-core osslsigncode
          openssl)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
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
