#!/usr/bin/env bash
# The programs stay small: each one's code and data, its resources (pictures, icons) aside, at
# most a few times a bare windowed program built with the same compiler and flags, so that no
# unused runtime comes back unseen. Prints every program's size against the bare one's.
#   size_test.sh OBJDUMP APPLICATION_FOLDER BARE_PROGRAM
set -u
objdump=$1
dist=$2
bare=$3
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

# How many times the bare program each may weigh: the updater and the remover three; the icon
# changer, with its window, dialogs, layout at any DPI and logon task, four.
declare -A limit_factor=([ZelvoDrv.exe]=4 [ZDrvs.dll]=3 [Purgo.exe]=3)

# Bytes of a PE file outside its resource section.
without_resources() {
    local rsrc
    rsrc=$("$objdump" -h "$1" | awk '$2 == ".rsrc" { print $3 }')
    echo $(($(stat -c %s "$1") - 0x${rsrc:-0}))
}

bare_size=$(stat -c %s "$bare")
echo "bare windowed program: $bare_size bytes"
for name in ZelvoDrv.exe ZDrvs.dll Purgo.exe; do
    limit=$((limit_factor[$name] * bare_size))
    size=$(stat -c %s "$dist/$name")
    code=$(without_resources "$dist/$name")
    ratio=$(awk -v c="$code" -v b="$bare_size" 'BEGIN { printf "%.2f", c / b }')
    echo "$name: $size bytes, $code without resources ($ratio x bare)"
    if [ "$code" -gt "$limit" ]; then
        fail "$name: $code bytes without resources, more than ${limit_factor[$name]} x bare"
    fi
done
[ "$failures" -eq 0 ]
