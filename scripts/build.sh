#!/usr/bin/env bash
# Builds the application folders: build/dist/ for 32-bit Windows and build/dist64/ for 64-bit
# Windows, the files that ship side by side; then (in the 64-bit build) the installer and the
# archives from both. The 64-bit build takes its data files from the 32-bit one, so that order
# matters. Then signs the release into build/signed/ when the environment gives a key
# (scripts/sign.sh); without one nothing is signed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in win32 win64; do
    scripts/configure.sh "$preset"
    cmake --build --preset "$preset" -j"$(nproc)"
done
echo "Application folders: $(pwd)/build/dist (32-bit), $(pwd)/build/dist64 (64-bit)"
source scripts/release.sh
v=$release_display_version
echo "Installer: $(pwd)/build/ZelvoDrivesSetup-$v.exe"
echo "Archives: $(pwd)/build/ZelvoDrives-$v.zip (32-bit), $(pwd)/build/ZelvoDrives-$v-x64.zip (64-bit)"
scripts/sign.sh
