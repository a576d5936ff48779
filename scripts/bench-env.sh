# Sourced by the benchmark scripts: the Wine settings, and the build a benchmark measures.
# That is the win32 preset's (build/win32, application folder build/dist), or the win64 one
# (build/win64, build/dist64) where this machine runs no 32-bit program; ZELVO_BENCH_BUILD and
# ZELVO_BENCH_DIST point at another build.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

bench_preset=win32
build=$zelvo_root/build/win32
dist=$zelvo_root/build/dist
if [ "$ZELVO_NO_WIN32" = 1 ]; then
    bench_preset=win64
    build=$zelvo_root/build/win64
    dist=$zelvo_root/build/dist64
fi
build=${ZELVO_BENCH_BUILD:-$build}
dist=${ZELVO_BENCH_DIST:-$dist}

# Whatever way a benchmark ends, its prefix (with the prefix's server), its scratch folder and the
# virtual display it started go with it.
xvfb_pid=
prefix=
bench_scratch=$(mktemp -d)
bench_cleanup() {
    if [ -n "$prefix" ]; then
        stop_server "$prefix"
        rm -rf "$prefix"
    fi
    rm -rf "$bench_scratch"
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap bench_cleanup EXIT

# Builds the given targets unless every given file is there: bench_build TARGETS... -- FILES...
bench_build() {
    local targets=() file
    while [ "$1" != -- ]; do
        targets+=("$1")
        shift
    done
    shift
    for file in "$@"; do
        [ -f "$file" ] && continue
        if [ -n "${ZELVO_BENCH_BUILD:-}" ]; then
            cmake --build "$build" --target "${targets[@]}"
        else
            (cd "$zelvo_root" && cmake --preset "$bench_preset" >/dev/null &&
                cmake --build --preset "$bench_preset" -j"$(nproc)" --target "${targets[@]}")
        fi
        return
    done
}
