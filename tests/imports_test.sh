#!/usr/bin/env bash
# Every shipped program and library imports Windows system DLLs only, so it runs on a clean
# Windows: no C++ runtime, libgcc or winpthread DLLs.
#   imports_test.sh OBJDUMP APPLICATION_FOLDER
set -u
objdump=$1
dist=$2
system='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comctl32|comdlg32|ole32|oleaut32|msvcrt|version)\.dll$'
failed=0
checked=0
for file in "$dist"/*.exe "$dist"/*.dll "$dist"/*.icl; do
    [ -f "$file" ] || continue
    checked=$((checked + 1))
    others=$("$objdump" -p "$file" | sed -n 's/.*DLL Name: //p' | grep -v -i -E "$system")
    if [ -n "$others" ]; then
        echo "FAIL $(basename "$file") imports: $others"
        failed=$((failed + 1))
    fi
done
echo "$((checked - failed)) passed, $failed failed"
[ "$checked" -ge 5 ] && [ "$failed" -eq 0 ]
