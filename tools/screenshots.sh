#!/bin/bash
# Takes pictures of the program's windows for a look at the layout: the main
# window on each of its four pages (and once with its log panel, once with
# a tool bar button's tip), the folder tree opened on Japanese folders, the
# synchronised-folder tree opened on a mirror with files of several types,
# the trees' context menu, and every dialog a user meets on the way
# (install notice, extension entry, about box, the password of a network
# share, the warning of a second start with /uninstall, the uninstall
# question).
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
preview=$build/tools/preview/mrq_preview.exe

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
# Folders to browse on D:, and the data file's mirror folders on F: with
# files of several types.
drives=$MRQ_WINE_ROOT/drives
rm -rf "$drives/d/資料" "$drives/d/写真" "$drives/f/バックアップ"
mkdir -p "$drives/d/資料/見積書" "$drives/d/資料/請求書/2024年" "$drives/d/資料/表計算" \
    "$drives/d/資料/Archive" "$drives/d/写真/旅行"
mirror=$drives/f/バックアップ/表
mkdir -p "$mirror/表/2024年" "$mirror/表/ソース" "$mirror/十" "$mirror/十(1)"
for name in 見積書.doc 請求書.xls メモ.txt 地図.bmp 設定.ini 案内.html 能力表.csv; do
    : >"$mirror/表/$name"
done
cp "$program" "$mirror/表/mrq.exe" # a program shows its own icon

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

# The folder tree two levels down, a Japanese folder selected, and the
# trees' context menu on it; the trees made wider to show it.
drive tab 0 >/dev/null
drive splitter 60
shoot tree-folders "$(drive tree 1001 'マイ コンピュータ' 'D:\' '資料' '請求書')"
shoot tree-menu "$(drive treemenu 1001)"
drive escape
# The mirror folders of the data file, the first opened on its files.
drive tab 2 >/dev/null
shoot tree-sync "$(drive tree 1011 '同期フォルダ' '表' 'ソース')"

drive command 57664 # About
shoot about "$(drive dialog ﾊﾞｰｼﾞｮﾝ情報)"
drive press ﾊﾞｰｼﾞｮﾝ情報 2

# A share that wants a password; a machine without a network shows this
# dialog only through the preview.
"$run" "$preview" password '\\fileserver\共有' >/dev/null 2>&1 &
drive type Password 1010 himitsu
shoot password "$(drive dialog Password)"
drive press Password 2

start_program /uninstall # while the program runs
shoot uninstall-while-running "$(drive dialog Warning)"
drive press Warning 1

drive close
start_program /uninstall
shoot uninstall "$(drive dialog Uninstall)"
drive press Uninstall 2
