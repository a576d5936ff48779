#!/usr/bin/env bash
# Benchmark of the usage-bar updater's start-to-exit time under Wine, next to the floor of its work
# done bare (a program that lists the drives and, for each fixed one, queries its space, looks for
# the usage-bar library, reads its override and writes it, and tells Explorer once when one
# changed), with 0, 2 and 26 fixed drives mapped: for passes that change every override (each
# yardstick run writes an index the updater never writes, and the other way round) and for passes
# that change nothing (the steady yardstick writes what the updater writes). Prints figures; it is
# not a test.
#   scripts/bench-updater.sh [RUNS]
# Measures the build that scripts/bench-env.sh names, building what is missing.
set -euo pipefail
source "$(dirname "$0")/bench-env.sh"
cd "$zelvo_root"

runs=${1:-41}
bench=$build/tests/bench/zelvo_bench.exe
bare=$build/tests/bench/zelvo_bench_bare.exe
steady=$build/tests/bench/zelvo_bench_bare_steady.exe

bench_build ZDrvs zelvo_bench zelvo_bench_bare zelvo_bench_bare_steady -- "$dist/ZDrvs.dll" \
    "$bench" "$bare" "$steady"

[ -n "${DISPLAY:-}" ] || start_xvfb

ensure_template

# Runs the benchmark in a fresh prefix with the given drives and yardstick; writes its
# "name=value" lines.
measure() {
    local drives=$1 yardstick=$2 out=$3
    prefix=$(new_prefix)
    set_drives "$prefix" "$drives"
    install_app_folder "$prefix" "$dist"
    cp "$dist/ZDrvs.dll" "$prefix/drive_c/windows/system32/ZDrvs.exe"
    # Without its library the updater writes nothing.
    cp "$dist/ZelvoPrg.dll" "$prefix/drive_c/windows/system32/ZelvoPrg.icl"
    mkdir -p "$prefix/drive_c/bench"
    cp "$bench" "$yardstick" "$prefix/drive_c/bench/"
    start_server "$prefix"
    # From inside the prefix: the drives mapped need not include the current folder.
    (cd "$prefix/drive_c/bench" && WINEPREFIX=$prefix wine 'C:\bench\zelvo_bench.exe' \
        'C:\windows\system32\ZDrvs.exe' "C:\\bench\\$(basename "$yardstick")" "$runs" \
        </dev/null | tr -d '\r' >"$out")
    stop_server "$prefix"
    rm -rf "$prefix"
    prefix=
}

value() { sed -n "s/^$1=//p" <<<"$2"; }

all26=$(for l in a b c d e f g h i j k l m n o p q r s t u v w x y z; do printf '%s:hd ' "$l"; done)
declare -A result
for pass in changing steady; do
    case $pass in changing) yardstick=$bare ;; steady) yardstick=$steady ;; esac
    for config in none two all; do
        case $config in
            none) drives="c:network d:cdrom" ;;
            two) drives="a:floppy c:hd d:cdrom e:hd z:network" ;;
            all) drives=$all26 ;;
        esac
        measure "$drives" "$yardstick" "$bench_scratch/$pass-$config"
        result[$pass-$config]=$(cat "$bench_scratch/$pass-$config")
    done
done

# Per drive: the updater's extra time over the yardstick measured in the same prefix, so that
# the drift between prefixes cancels out.
extra() { awk -v p="$(value program_median_ms "$1")" -v y="$(value yardstick_median_ms "$1")" \
    'BEGIN { printf "%.3f", p - y }'; }

for pass in changing steady; do
    case $pass in
        changing) echo "passes that change every fixed drive's override (and tell Explorer):" ;;
        steady) echo "passes that change nothing (the bars as they were; Explorer is not told):" ;;
    esac
    printf '%-22s %12s %12s %7s\n' "fixed drives" "ZDrvs ms" "bare ms" "ratio"
    for config in none two all; do
        case $config in none) label=0 ;; two) label=2 ;; all) label=26 ;; esac
        out=${result[$pass-$config]}
        printf '%-22s %12s %12s %7s\n' "$label" "$(value program_median_ms "$out")" \
            "$(value yardstick_median_ms "$out")" "$(value ratio "$out")"
    done
    extra0=$(extra "${result[$pass-none]}")
    extra2=$(extra "${result[$pass-two]}")
    extra26=$(extra "${result[$pass-all]}")
    echo "extra time over the yardstick: ${extra0} ms with 0, ${extra2} ms with 2, ${extra26} ms with 26 fixed drives"
    awk -v a="$extra26" -v b="$extra2" -v z="$extra0" 'BEGIN {
        printf "cost per fixed drive: %.3f ms (from 2 to 26 drives), %.3f ms (from 0 to 26)\n", (a - b) / 24, (a - z) / 26 }'
    echo
done
echo "medians of $runs alternating starts each (after 3 warm-up pairs)"
