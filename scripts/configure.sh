#!/usr/bin/env bash
# Configures a preset's build tree (build/PRESET) when it needs it: when it is new, was
# configured with another generator or before the presets last changed. Otherwise it is left to
# the build, which configures it again by itself whenever a CMake file changed; configuring
# costs seconds that a build with nothing to do should not.
#   configure.sh PRESET
set -euo pipefail
cd "$(dirname "$0")/.."
tree=build/$1
if [ ! -f "$tree/build.ninja" ] || [ CMakePresets.json -nt "$tree/CMakeCache.txt" ]; then
    # A tree of another generator cannot be configured with this one.
    [ -f "$tree/build.ninja" ] || rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles"
    cmake --preset "$1" >/dev/null
fi
