#!/usr/bin/env bash
# Builds the application folder build/dist/: the files that ship side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)"
echo "Application folder: $(pwd)/build/dist"
