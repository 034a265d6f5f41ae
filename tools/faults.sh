#!/bin/bash
# The fault suite (make faults): real backups under faults and bad input in
# a wine prefix of its own (BUILD_DIR/faults-wine), with a table of what
# happened to the files.
#
#   tools/faults.sh BUILD_DIR [--quick]
#
# The disk-full rows need a small drive: as root, a 4 MB tmpfs is mounted
# and mapped as S: for the time of the suite. Without root those rows are
# skipped, and the script says so.
set -u

build=$(cd "${1:?usage: $0 BUILD_DIR [--quick]}" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/.." && pwd)
export MRQ_WINE_ROOT=$build/faults-wine
wine_run=$here/wine-run.sh

# A Linux path as wine sees it on Z:.
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

"$wine_run" --setup >/dev/null || exit 1
prefix=$MRQ_WINE_ROOT/prefix
scratch=$build/faults-scratch
rm -rf "$scratch"
mkdir -p "$scratch"

small_letter=""
small_dir=$MRQ_WINE_ROOT/drives/small
cleanup() {
    rm -f "$prefix/dosdevices/s:" "$prefix/dosdevices/h:"
    if mountpoint -q "$small_dir" 2>/dev/null; then umount "$small_dir"; fi
    "$wine_run" --teardown >/dev/null
}
trap cleanup EXIT
if [ "$(id -u)" = 0 ]; then
    mkdir -p "$small_dir"
    if mount -t tmpfs -o size=4m tmpfs "$small_dir"; then
        ln -sfn "$small_dir" "$prefix/dosdevices/s:"
        small_letter=S
    else
        echo "faults: could not mount a 4 MB tmpfs at $small_dir: the disk-full rows are skipped" >&2
    fi
else
    echo "faults: not root, so no small drive can be mounted: the disk-full rows are skipped" >&2
    echo "faults: (run 'make faults' as root for them)" >&2
fi

"$wine_run" "$build/faults/fault_suite.exe" "$(winpath "$build/faults/fault_driver.exe")" \
    "$(winpath "$scratch")" "$(winpath "$source_dir/tests/data")" $small_letter "$@" 2>&1 |
    iconv -f CP932 -t UTF-8 -c
status=${PIPESTATUS[0]}
exit "$status"
