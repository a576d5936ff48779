#!/usr/bin/env bash
# Every C and C++ source of the repository is laid out as .clang-format says; prints the files
# that differ and fails if there is one. Needs no git: it looks at the tree as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
differ=()
while IFS= read -r -d '' file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || differ+=("$file")
done < <(find . -path ./build -prune -o -path ./.git -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.c' \) -print0 | LC_ALL=C sort -z)
if [ ${#differ[@]} -gt 0 ]; then
    printf 'Not formatted (clang-format -i FILE): %s\n' "${differ[@]}" >&2
    exit 1
fi
echo "format: every C and C++ source is formatted"
