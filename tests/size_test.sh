#!/usr/bin/env bash
# The programs stay small: each one's code and data, its resources (pictures, icons) aside, at
# most three times a bare windowed program built with the same compiler and flags. Prints every
# program's size against the bare one's.
#   size_test.sh OBJDUMP APPLICATION_FOLDER BARE_PROGRAM
set -u
objdump=$1
dist=$2
bare=$3
limit_factor=3

# Bytes of a PE file outside its resource section.
without_resources() {
    local rsrc
    rsrc=$("$objdump" -h "$1" | awk '$2 == ".rsrc" { print $3 }')
    echo $(($(stat -c %s "$1") - 0x${rsrc:-0}))
}

bare_size=$(stat -c %s "$bare")
limit=$((limit_factor * bare_size))
echo "bare windowed program: $bare_size bytes; limit without resources: $limit bytes"
failed=0
for name in ZelvoDrv.exe ZDrvs.dll Purgo.exe; do
    size=$(stat -c %s "$dist/$name")
    code=$(without_resources "$dist/$name")
    ratio=$(awk -v c="$code" -v b="$bare_size" 'BEGIN { printf "%.2f", c / b }')
    echo "$name: $size bytes, $code without resources ($ratio x bare)"
    if [ "$code" -gt "$limit" ]; then
        echo "FAIL $name: $code bytes without resources, more than $limit_factor x bare"
        failed=$((failed + 1))
    fi
done
[ "$failed" -eq 0 ]
