#!/bin/bash
# Runs a Windows program under wine in the isolated prefix of the build tree.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run a program (the CTest emulator)
#   wine-run.sh --show PROGRAM.exe ...  run a program for a person to look at
#   wine-run.sh --setup                 create the prefix, drives and display
#   wine-run.sh --teardown              stop the wine server and the display
#
# The prefix lives in $MRQ_WINE_ROOT (default: build/wine beside this
# script). Drives D:, E: and F: are scratch folders inside it, so tests can
# use real paths such as D:\data and drive roots such as E:\; G: leads to a
# folder that does not exist, like a drive whose medium was taken out. H: and
# I: are scratch folders that the prefix's registry types as a network drive
# and a CD-ROM drive, for the folder tree's drive kinds. Wine uses code
# page 932 only with LC_ALL=ja_JP.UTF-8 and that locale generated; the tests
# check GetACP() so a missing locale fails loudly.
#
# Windows go to $DISPLAY when it is set, unless MRQ_FORCE_XVFB is set too;
# otherwise to an Xvfb display of the prefix's own. An Xvfb display has no
# window manager, so windows there have no captions or frames; with
# MRQ_WINE_DESKTOP=WIDTHxHEIGHT the programs of the prefix run inside a wine
# virtual desktop of that size instead, in which wine draws them itself.
# --show runs headless programs in such a desktop, tells how to look at the
# display, and stops the server and the display once the program has ended.
set -u

here=$(cd "$(dirname "$0")" && pwd)
root=${MRQ_WINE_ROOT:-$here/../build/wine}
mkdir -p "$root"
root=$(cd "$root" && pwd)

export WINEPREFIX=$root/prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=ja_JP.UTF-8
unset LANGUAGE

# Wine on a system without its 32-bit half says so at every start. The
# programs' own messages are in code page 932, which grep would take for
# binary and swallow (-a).
drop_wine32_notes() {
    grep -a --line-buffered -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' -e 'apt-get install wine32' >&2
}

drive_dir() { echo "$root/drives/$1"; }

create_prefix() {
    if [ ! -f "$WINEPREFIX/.mrq-ready" ]; then
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 </dev/null
        wineserver -w
        touch "$WINEPREFIX/.mrq-ready"
    fi
    for letter in d e f h i; do
        mkdir -p "$(drive_dir $letter)"
        ln -sfn "$(drive_dir $letter)" "$WINEPREFIX/dosdevices/$letter:"
    done
    install_caption_font
    # G: is a drive whose medium has gone: its letter leads nowhere.
    ln -sfn "$root/drives/vanished" "$WINEPREFIX/dosdevices/g:"
    if [ ! -f "$WINEPREFIX/.mrq-drive-types" ]; then
        wine reg add 'HKLM\Software\Wine\Drives' /v h: /d network /f
        wine reg add 'HKLM\Software\Wine\Drives' /v i: /d cdrom /f
        # Wine's mount manager reads the types when it starts, and the one
        # these commands started has already taken H: and I: for fixed
        # drives: let it end, so the next start reads them.
        wineserver -w
        touch "$WINEPREFIX/.mrq-drive-types"
    fi >/dev/null 2>&1 </dev/null
}

# Wine draws the caption buttons (minimise, maximise, close) as letters of
# its Marlett font. Its own copy of the font is not found in these prefixes,
# so the buttons came out as "0 1 r"; a copy in the prefix's Fonts folder is.
install_caption_font() {
    local fonts=$WINEPREFIX/drive_c/windows/Fonts font
    [ -f "$fonts/marlett.ttf" ] && return
    for font in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
        if [ -f "$font" ]; then
            mkdir -p "$fonts"
            cp "$font" "$fonts/marlett.ttf"
            return
        fi
    done
}

# One Xvfb per prefix, started on the first free display number.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && [ -z "${MRQ_FORCE_XVFB:-}" ] && return
    local state=$root/xvfb
    if [ -f "$state" ]; then
        read -r pid num <"$state"
        if kill -0 "$pid" 2>/dev/null; then
            export DISPLAY=:$num
            return
        fi
    fi
    local num=90
    while [ -e "/tmp/.X$num-lock" ] || [ -e "/tmp/.X11-unix/X$num" ]; do num=$((num + 1)); done
    setsid Xvfb ":$num" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    local pid=$!
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$num" ] && break
        sleep 0.05
    done
    echo "$pid $num" >"$state"
    export DISPLAY=:$num
}

# The prefix's default desktop: a virtual desktop of MRQ_WINE_DESKTOP's
# size, or none. The registry is written only when the wish changes.
configure_desktop() {
    local wanted=${MRQ_WINE_DESKTOP:-} state=$root/desktop current=""
    [ -f "$state" ] && current=$(cat "$state")
    [ "$wanted" = "$current" ] && return
    if [ -n "$wanted" ]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$wanted" /f
    else
        wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f
    fi >/dev/null 2>&1 </dev/null
    echo "$wanted" >"$state"
}

stop_server_and_display() {
    wineserver -k >/dev/null 2>&1 </dev/null
    if [ -f "$root/xvfb" ]; then
        read -r pid _ <"$root/xvfb"
        kill "$pid" 2>/dev/null
        rm -f "$root/xvfb"
    fi
}

show_program() {
    local headless=""
    [ -z "${DISPLAY:-}" ] || [ -n "${MRQ_FORCE_XVFB:-}" ] && headless=1
    with_lock create_prefix
    with_lock ensure_display
    if [ -n "$headless" ]; then
        export MRQ_WINE_DESKTOP=${MRQ_WINE_DESKTOP:-1024x768}
        cat >&2 <<EOF_NOTE
No display of yours: $(basename "$1") runs headless on the virtual display
$DISPLAY (Xvfb, in a wine desktop of $MRQ_WINE_DESKTOP). To look at it:
    DISPLAY=$DISPLAY import -window root screen.png
Ctrl+C ends it.
EOF_NOTE
    fi
    configure_desktop
    trap 'stop_server_and_display; exit 130' INT TERM
    # A wine program does not end on Ctrl+C, and bash runs a trap only once
    # its foreground command has ended: so wait in the background, which a
    # signal interrupts, and stop the server, which ends every program.
    wine "$@" 2> >(drop_wine32_notes) &
    wait $!
    local status=$?
    stop_server_and_display
    return $status
}

with_lock() {
    exec 9>"$root/.lock"
    flock 9
    "$@"
    flock -u 9
}

case "${1:-}" in
--setup)
    with_lock create_prefix
    with_lock ensure_display
    # Fresh scratch drives for every test run.
    for letter in d e f h i; do find "$(drive_dir $letter)" -mindepth 1 -delete 2>/dev/null; done
    # A persistent server: tests start quickly, and no test's wine process
    # spawns a server that would hold the test runner's output pipe open.
    wineserver -p >/dev/null 2>&1 </dev/null
    configure_desktop
    # Start wine's own services now, detached from our output: started by
    # the first test they would inherit, and hold open, the runner's pipe.
    wine wineboot >/dev/null 2>&1 </dev/null
    exit 0
    ;;
--teardown)
    stop_server_and_display
    exit 0
    ;;
--show)
    shift
    show_program "$@"
    exit $?
    ;;
--env)
    # Prints the environment for running wine by hand in this prefix.
    with_lock ensure_display
    echo "export WINEPREFIX='$WINEPREFIX' WINEARCH=win64 WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 DISPLAY='$DISPLAY'"
    exit 0
    ;;
"")
    echo "usage: $0 PROGRAM.exe [ARGS...] | --show PROGRAM.exe [ARGS...] | --setup | --teardown | --env" >&2
    exit 2
    ;;
esac

with_lock create_prefix
with_lock ensure_display
configure_desktop
exec wine "$@" 2> >(drop_wine32_notes)
