#!/bin/bash
# Takes pictures of the program's windows for a look at the layout: the main
# window on each of its four pages (and once with its log panel, once with
# a tool bar button's tip) and every dialog a user meets on the way
# (install notice, extension entry, about box, the warning of a second
# start with /uninstall, the uninstall question).
#
#   tools/screenshots.sh [BUILD_DIR]    writes BUILD_DIR/screenshots/*.png
#
# The program runs headless on an Xvfb display of its own inside a wine
# virtual desktop (so wine draws captions and frames), in a prefix apart
# from the tests' (BUILD_DIR/screenshot-wine), starting as on a machine
# where it was never installed. The driver (mrq_driver.exe) works the
# windows and prints each one's geometry; import cuts the picture to it.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
out=$build/screenshots
program=$build/shell/mrq.exe
driver=$build/tools/driver/mrq_driver.exe

export MRQ_WINE_ROOT=$build/screenshot-wine
export MRQ_FORCE_XVFB=1
export MRQ_WINE_DESKTOP=1024x768
run=$here/wine-run.sh

drive() { "$run" "$driver" "$@"; }
shoot() { import -window root -crop "$2" +repage "$out/$1.png"; echo "  $1.png"; }
# Starts the program in the background, as a user's double-click would.
start_program() { "$run" "$program" "$@" >/dev/null 2>&1 & }

finish() { "$run" --teardown; }
trap finish EXIT

"$run" --setup
eval "$("$run" --env)"
rm -rf "$out"
mkdir -p "$out"
# A first start, with a data file of Japanese names to show.
wine reg delete 'HKCU\Software\Quenlow' /f >/dev/null 2>&1 || true
cp "$here/../tests/data/japanese.mrd" "$MRQ_WINE_ROOT/drives/d/japanese.mrd"

echo "Screenshots in $out:"
start_program 'D:\japanese.mrd'
shoot install "$(drive dialog Install)"
drive press Install 1

shoot main-sources "$(drive main)"
shoot main-destination "$(drive tab 1)"
shoot main-restore "$(drive tab 2)"
shoot main-settings "$(drive tab 3)"

drive click 1029 # 登録 of the never-copied extensions
shoot extension "$(drive dialog 拡張子の登録)"
drive press 拡張子の登録 2

# With the log view on, the source page shows the log at its foot.
drive click 1022 # ログビューを表示する。
shoot main-log "$(drive tab 0)"

# The mouse on a tool bar button: its tip beside it, its prompt below.
shoot toolbar-tip "$(drive hover 57601)" # 開く

drive command 57664 # About
shoot about "$(drive dialog ﾊﾞｰｼﾞｮﾝ情報)"
drive press ﾊﾞｰｼﾞｮﾝ情報 2

start_program /uninstall # while the program runs
shoot uninstall-while-running "$(drive dialog Warning)"
drive press Warning 1

drive close
start_program /uninstall
shoot uninstall "$(drive dialog Uninstall)"
drive press Uninstall 2
