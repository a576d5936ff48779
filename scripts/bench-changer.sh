#!/usr/bin/env bash
# Benchmark of the icon changer's start under Wine: the time from process start until its main
# window is visible, with its files already installed in the System folder (as every start after
# the first finds them), next to a bare program that does the start-up's required work before its
# window shows: it looks for the files, writes the logon entry, starts the installed updater
# through the shell, reads the drive letters and the fixed drives, starts the updater again, and
# shows a window with the same kinds of controls. Prints figures; it is not a test.
#   scripts/bench-changer.sh [RUNS]
# Measures the build that scripts/bench-env.sh names, building what is missing.
set -euo pipefail
source "$(dirname "$0")/bench-env.sh"
cd "$zelvo_root"

runs=${1:-51}
bench=$build/tests/bench/zelvo_bench.exe
bare=$build/tests/bench/zelvo_bench_changer_bare.exe
bench_build ZelvoDrv ZDrvs zelvo_usage_icons zelvo_drive_icons zelvo_bench \
    zelvo_bench_changer_bare -- "$dist/ZelvoDrv.exe" "$dist/ZDrvs.dll" "$dist/ZelvoPrg.dll" \
    "$dist/ZelvoDrives.icl" "$bench" "$bare"

# The window must appear on a display; the server keeps the one it starts with.
[ -n "${DISPLAY:-}" ] || start_xvfb

ensure_template
prefix=$(new_prefix)
set_drives "$prefix" "a:floppy c:hd d:cdrom e:hd z:network"
install_app_folder "$prefix" "$dist"
system32=$prefix/drive_c/windows/system32
cp "$dist/ZDrvs.dll" "$system32/ZDrvs.exe"
cp "$dist/ZelvoPrg.dll" "$system32/ZelvoPrg.icl"
cp "$dist/ZelvoDrives.icl" "$system32/ZelvoDrives.icl"
mkdir -p "$prefix/drive_c/bench"
cp "$bench" "$bare" "$prefix/drive_c/bench/"
start_server "$prefix"
out=$(cd "$prefix/drive_c/bench" && WINEPREFIX=$prefix wine 'C:\bench\zelvo_bench.exe' --window \
    'C:\Program Files\Zelvo Drives\ZelvoDrv.exe' 'C:\bench\zelvo_bench_changer_bare.exe' \
    "$runs" </dev/null | tr -d '\r')

value() { sed -n "s/^$1=//p" <<<"$out"; }
printf '%-22s %12s %12s %7s\n' "" "ZelvoDrv ms" "bare ms" "ratio"
printf '%-22s %12s %12s %7s\n' "start to visible window" "$(value program_median_ms)" \
    "$(value yardstick_median_ms)" "$(value ratio)"
printf '%-22s %12s %12s %7s\n' "ratio of each pair" "min $(value pair_ratio_min)" \
    "max $(value pair_ratio_max)" "$(value pair_ratio_median)"
echo "medians of $runs alternating starts each (after 3 warm-up pairs); the pairs' median ratio is the figure"
