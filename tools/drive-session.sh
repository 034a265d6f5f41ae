# Sourced by the scripts that drive mrq.exe from outside and take pictures
# of it (tools/screenshots.sh, tools/demo.sh):
#
#   . tools/drive-session.sh BUILD_DIR PREFIX_NAME OUT_NAME
#
# sets build, out (BUILD_DIR/OUT_NAME), program, driver and run, and makes
# the programs run headless in a wine virtual desktop on an Xvfb display of
# their own, in the prefix BUILD_DIR/PREFIX_NAME; the wine server and the
# display stop when the script ends. Helpers:
#   drive STEP...          one step of the driver (mrq_driver.exe)
#   shoot NAME STEP...     a driver step that ends at a window, then its
#                          picture OUT/NAME.png; a dialog must still show
#                          once the picture is taken
#   hold CAPTION           holds the run behind the dialog that is about to
#                          show (started before the step that shows it)
#   shoot_held NAME        the picture of the held dialog, then the run goes on
# Any failure ends the script with a message: a picture of the wrong thing
# (an empty desktop, a window that went) is worse than none.

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
out=$build/$3
program=$build/app/mrq.exe
driver=$build/tools/driver/mrq_driver.exe

export MRQ_WINE_ROOT=$build/$2
export MRQ_FORCE_XVFB=1
export MRQ_WINE_DESKTOP=1024x768
run=$here/wine-run.sh

die() {
    echo "$(basename "$0"): $*" >&2
    exit 1
}

drive() { "$run" "$driver" "$@"; }

# The picture of the screen cut to a geometry the driver printed.
picture() {
    set -- "$1" "${2%$'\r'}" # the driver's lines end in CR LF
    [[ $2 =~ ^[1-9][0-9]*x[1-9][0-9]*\+-?[0-9]+\+-?[0-9]+$ ]] ||
        die "no picture $1: '$2' is no window's geometry"
    import -window root -crop "$2" +repage "$out/$1.png" || die "no picture $1: import failed"
    echo "  $out/$1.png"
}

shoot() {
    local name=$1 geometry
    shift
    geometry=$(drive "$@") || die "no picture $name: the step '$*' failed"
    picture "$name" "$geometry"
    if [ "$1" = dialog ]; then
        drive showing "$2" || die "no picture $name: the window went while it was taken"
    fi
}

held_geometry=
holder=
hold() {
    held_geometry=$(mktemp)
    drive hold "$1" >"$held_geometry" &
    holder=$!
}

shoot_held() {
    local geometry=
    while kill -0 "$holder" 2>/dev/null && [ ! -s "$held_geometry" ]; do sleep 0.1; done
    geometry=$(head -n 1 "$held_geometry")
    rm -f "$held_geometry"
    [ -n "$geometry" ] || { wait "$holder" || true; die "no picture $1: the run ended before its window was held"; }
    picture "$1" "$geometry"
    drive release
    wait "$holder" || die "the hold of $1 failed"
}

# Starts the program in the background, as a user's double-click would.
start_program() { "$run" "$program" "$@" >/dev/null 2>&1 & }

finish() { "$run" --teardown; }
trap finish EXIT
