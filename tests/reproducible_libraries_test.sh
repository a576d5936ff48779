#!/usr/bin/env bash
# The icon libraries are reproducible: building them again from scratch, in another folder,
# gives the same bytes as the application folder's.
#   reproducible_libraries_test.sh SOURCE_DIR TOOLCHAIN_FILE APPLICATION_FOLDER
set -euo pipefail
source_dir=$1
toolchain=$2
dist=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$source_dir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DZELVO_DIST_DIR="$work/dist" >/dev/null
cmake --build "$work/build" -j2 --target zelvo_usage_icons zelvo_drive_icons >/dev/null
failed=0
for library in ZelvoPrg.dll ZelvoDrives.icl; do
    if cmp "$dist/$library" "$work/dist/$library"; then
        echo "ok   $library is the same when built again"
    else
        echo "FAIL $library differs when built again"
        failed=1
    fi
done
exit "$failed"
