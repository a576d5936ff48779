#!/usr/bin/env bash
# Every shipped program and library imports exactly the Windows system DLLs it calls, so it
# runs on a clean Windows (no C++ runtime, libgcc or winpthread DLLs) and loads nothing it does
# not use. The icon libraries import nothing.
#   imports_test.sh OBJDUMP APPLICATION_FOLDER
set -u
objdump=$1
dist=$2
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

# The DLLs each program calls (msvcrt is the C runtime of every program). Not imported, loaded
# when first needed: the changer's comdlg32 (browsing for a file) and the updater's shell32
# (telling Explorer of changed icons).
declare -A expected=(
    [ZelvoDrv.exe]="advapi32 comctl32 gdi32 kernel32 msvcrt ole32 oleaut32 shell32 shlwapi user32"
    [ZDrvs.dll]="advapi32 gdi32 kernel32 msvcrt user32"
    [Purgo.exe]="advapi32 kernel32 msvcrt ole32 oleaut32 shell32 shlwapi user32"
    [ZelvoPrg.dll]=""
    [ZelvoDrives.icl]=""
)

for name in "${!expected[@]}"; do
    file="$dist/$name"
    if [ ! -f "$file" ]; then
        fail "$name: not in $dist"
        continue
    fi
    imports=$("$objdump" -p "$file" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' |
        sed 's/\.dll$//' | LC_ALL=C sort -u | tr '\n' ' ')
    want=$(tr ' ' '\n' <<<"${expected[$name]}" | grep -v '^$' | LC_ALL=C sort -u | tr '\n' ' ')
    if [ "$imports" != "$want" ]; then
        fail "$name imports: ${imports:-nothing}; expected: ${want:-nothing}"
    fi
done
echo "$((${#expected[@]} - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
