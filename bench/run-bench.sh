#!/bin/bash
# Times a backup of 20,000 files of 1 KiB in 100 folders with the engine,
# with xcopy in the same wine prefix and with native rsync, and prints a
# table of each figure and its ratio to the engine's matching figure.
#
#   bench/run-bench.sh BUILD_DIR
#
# The tree lives in BUILD_DIR/bench-data, which the prefix sees as drive M:
# (the tests' scratch drives D:, E:, F: are left to the tests).
set -eu

build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../tools/wine-run.sh
export MRQ_WINE_ROOT=$build/wine
data=$build/bench-data
drive=m
exe=$build/bench/bench_backup.exe

FOLDERS=100
FILES_PER_FOLDER=200
FILE_SIZE=1024

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }'; }

# Created from the Linux side: one random stream per folder, cut into files.
make_tree() {
    rm -rf "$data"
    mkdir -p "$data/src"
    for i in $(seq -w 0 $((FOLDERS - 1))); do
        mkdir "$data/src/d$i"
        head -c $((FILES_PER_FOLDER * FILE_SIZE)) /dev/urandom |
            (cd "$data/src/d$i" && split -b $FILE_SIZE -a 3 -d --additional-suffix=.dat - f)
    done
}

# Seconds taken by a command, its output discarded.
time_quiet() {
    local start
    start=$(now)
    "$@" >/dev/null 2>&1 </dev/null || echo "warning: '$*' exited with $?" >&2
    elapsed "$start"
}

# The program writes text-mode CRLF lines.
result() { tr -d "\r" <"$data/engine.txt" | sed -n "s/^RESULT $1=//p"; }

row() { # label seconds engine-seconds
    printf '%-34s %9.2f s %9.3fx\n' "$1" "$2" "$(awk -v a="$2" -v b="$3" 'BEGIN { printf "%.3f", a / b }')"
}

cleanup() {
    rm -f "$MRQ_WINE_ROOT/prefix/dosdevices/$drive:"
    "$wine_run" --teardown
    rm -rf "$data"
}

echo "== setting up the wine prefix"
"$wine_run" --setup
trap cleanup EXIT
ln -sfn "$data" "$MRQ_WINE_ROOT/prefix/dosdevices/$drive:"

echo "== generating $((FOLDERS * FILES_PER_FOLDER)) files of $FILE_SIZE bytes in $FOLDERS folders"
start=$(now)
make_tree
printf 'generated in %.1f s\n' "$(elapsed "$start")"

echo "== engine (bench_backup.exe)"
status=0
"$wine_run" "$exe" "${drive^^}:\\src" "${drive^^}:\\engine" | tee "$data/engine.txt" |
    grep -v '^RESULT ' || status=$?
[ "$(result checks_failed)" = 0 ] || status=1

echo "== xcopy and rsync"
startup=$(time_quiet "$wine_run" cmd /c exit)
xcopy_first=$(time_quiet "$wine_run" xcopy /E /I /H /K /Y "${drive^^}:\\src" "${drive^^}:\\xcopy")
xcopy_again=$(time_quiet "$wine_run" xcopy /E /I /H /K /Y "${drive^^}:\\src" "${drive^^}:\\xcopy")
rsync_first=$(time_quiet rsync -a --delete "$data/src/" "$data/rsync/")
rsync_again=$(time_quiet rsync -a --delete "$data/src/" "$data/rsync/")

engine_first=$(result engine_first)
engine_nochange=$(result engine_nochange)
echo
printf '%-34s %11s %10s\n' "" "time" "vs engine"
printf '%-34s %9.2f s %10s\n' "engine: first backup" "$engine_first" "1.00x"
printf '%-34s %9.2f s %10s\n' "engine: no-change backup" "$engine_nochange" "1.00x"
printf '%-34s %9.2f s %10s\n' "engine: after 1 % changed" "$(result engine_changed)" ""
row "xcopy /E /I /H /K /Y: first copy" "$xcopy_first" "$engine_first"
row "xcopy /E /I /H /K /Y: re-run" "$xcopy_again" "$engine_nochange"
row "rsync -a --delete: first" "$rsync_first" "$engine_first"
row "rsync -a --delete: no change" "$rsync_again" "$engine_nochange"
printf 'xcopy times include a wine start-up of about %.2f s.\n' "$startup"
printf 'peak memory of bench_backup.exe: working set %s MiB, pagefile usage %s MiB\n' \
    "$(result peak_working_set_mib)" "$(result peak_pagefile_mib)"
[ "$status" = 0 ] && echo "checks: all passed" || echo "checks: FAILED (see above)"
exit "$status"
