# Sourced: the Wine settings and helpers shared by the run and test scripts.
# Prefixes are 32-bit unless WINEARCH says win64; a ready template of each kind is copied for
# each run, which is far quicker than booting a prefix.

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

zelvo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_root=${ZELVO_WINE_ROOT:-$zelvo_root/build/wine}

# Some kernels are built without 32-bit x86 support, and on a mirror part-way through a sync the
# 32-bit Wine may not install (scripts/setup.sh): then Wine's 32-bit loader cannot start, and only
# 64-bit Windows programs run, through the 64-bit loader. ZELVO_NO_WIN32=1 says so to the test
# scripts, which then skip what needs a 32-bit program (ctest's skip code 77), and
# ZELVO_NO_WIN32_REASON says why.
zelvo_skip_code=77
if [ -z "${ZELVO_NO_WIN32+set}" ]; then
    ZELVO_NO_WIN32=0
    ZELVO_NO_WIN32_REASON=""
    if [ ! -x /usr/lib/wine/wine ]; then
        ZELVO_NO_WIN32=1
        ZELVO_NO_WIN32_REASON="the 32-bit Wine (wine32:i386) is not installed"
    elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        ZELVO_NO_WIN32=1
        ZELVO_NO_WIN32_REASON="this machine's kernel runs no 32-bit code"
    fi
    export ZELVO_NO_WIN32 ZELVO_NO_WIN32_REASON
fi
if [ "$ZELVO_NO_WIN32" = 1 ]; then
    # Debian's wine and wine-stable prefer the 32-bit loader whenever it is installed.
    mkdir -p "$wine_root/bin"
    for shim in wine wine-stable; do
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$wine_root/bin/$shim"
        chmod +x "$wine_root/bin/$shim"
    done
    case ":$PATH:" in *":$wine_root/bin:"*) ;; *) export PATH=$wine_root/bin:$PATH ;; esac
    export WINELOADER=/usr/lib/wine/wine64
    export WINEARCH=${WINEARCH:-win64}
else
    export WINEARCH=${WINEARCH:-win32}
fi

# Ends the calling script with the skip code when it needs 32-bit programs this machine cannot
# run.
skip_without_win32() {
    if [ "$ZELVO_NO_WIN32" = 1 ]; then
        echo "skipped: $1: ${ZELVO_NO_WIN32_REASON:-this machine runs no 32-bit code}, so Wine runs no 32-bit program"
        exit "$zelvo_skip_code"
    fi
}

# Boots the template prefix of this architecture once (guarded against parallel test runs), and
# again after a Wine upgrade: Wine would otherwise update every prefix made from it at its start,
# rewriting the files the prefixes share with the template.
ensure_template() {
    template=$wine_root/template-$WINEARCH
    mkdir -p "$wine_root"
    (
        flock 9
        # Wine notes the time of the wine.inf it set the prefix up from (ending in CR LF).
        stamp=$(tr -d '\r\n' 2>/dev/null <"$template/.update-timestamp" || true)
        [ -f "$template/.ready" ] && [ "$stamp" = "$(stat -c %Y /usr/share/wine/wine.inf)" ] && exit 0
        rm -rf "$template"
        WINEPREFIX="$template" wineboot -i >/dev/null 2>&1 </dev/null
        WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\WineDbg' \
            /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
        # Without a window manager Wine draws the title bars itself only when asked.
        WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\X11 Driver' \
            /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
        WINEPREFIX="$template" wineserver -w
        # Wine's own Tahoma and MS Sans Serif (package fonts-wine), which this Wine does not
        # find by itself: without them dialogs fall back to a wider font than Windows uses.
        cp /usr/share/wine/fonts/*.ttf "$template/drive_c/windows/Fonts/" 2>/dev/null || true
        touch "$template/.ready"
    ) 9>"$template.lock"
}

# Copies the template into a new prefix and prints its path. The files of Wine's System folders
# (system32 and syswow64, nearly all of a prefix's size) are hard links to the template's, which
# takes a fraction of a second where copying takes seconds: Wine and the programs only add and
# delete files there (the product's), never write into one of Wine's. The rest, which Wine
# rewrites (the registry files among it), is copied.
new_prefix() {
    local prefix template=$wine_root/template-$WINEARCH system
    prefix=$(mktemp -d "$wine_root/prefix.XXXXXX")
    tar -C "$template" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
        -cf - . | tar -C "$prefix" -xf -
    for system in "$template"/drive_c/windows/{system32,syswow64}; do
        [ ! -d "$system" ] || cp -al "$system" "$prefix/drive_c/windows/"
    done
    echo "$prefix"
}

# The Wine architecture a Windows program needs: win64 for an x86-64 PE file, else win32.
pe_arch() {
    local header machine
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')
    [ "$machine" = 8664 ] && echo win64 || echo win32
}

# Maps exactly the given drives, e.g. "a:floppy c:hd d:cdrom z:network"; before the server starts.
set_drives() {
    local prefix=$1 drives=$2 entry letter type
    find "$prefix/dosdevices" -maxdepth 1 -name '?:' -exec rm -f {} +
    printf '\n[Software\\\\Wine\\\\Drives] 1700000000\n' >>"$prefix/system.reg"
    for entry in $drives; do
        letter=${entry%%:*}
        type=${entry#*:}
        if [ "$letter" = c ]; then
            ln -s ../drive_c "$prefix/dosdevices/c:"
        else
            mkdir -p "$prefix/drives/$letter"
            ln -s "$prefix/drives/$letter" "$prefix/dosdevices/$letter:"
        fi
        printf '"%s:"="%s"\n' "$letter" "$type" >>"$prefix/system.reg"
    done
}

# Copies an application folder into the prefix, where an installation would put it
# (a third argument names another program files folder, e.g. "Program Files (x86)").
install_app_folder() {
    local prefix=$1 dist=$2 programs=${3:-Program Files}
    mkdir -p "$prefix/drive_c/$programs/Zelvo Drives"
    cp "$dist"/* "$prefix/drive_c/$programs/Zelvo Drives/"
}

# Starts the prefix's server with its output sent away, so that pipes reading a program's
# output close when the program ends.
start_server() {
    WINEPREFIX=$1 wineserver -p >/dev/null 2>&1 </dev/null
    WINEPREFIX=$1 wine wineboot >/dev/null 2>&1 </dev/null
}

stop_server() {
    WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
}

# Runs COMMAND... every 0.2 s until it succeeds, for SECONDS at most; fails when it never did.
#   wait_until SECONDS COMMAND...
wait_until() {
    local seconds=$1 i
    shift
    for ((i = 0; i < seconds * 5; i++)); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# True when X shows a window of this title (mapped and viewable).
window_viewable() {
    xwininfo -name "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Waits SECONDS at most until X shows a window of this title, and prints its X window id; fails
# when none showed.
#   wait_for_window TITLE SECONDS
wait_for_window() {
    wait_until "$2" window_viewable "$1" || return 1
    xwininfo -name "$1" 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p'
}

# Starts a virtual display on a free number and exports DISPLAY; sets xvfb_pid.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$(head -n1 <"$fifo")
    rm -f "$fifo"
}
