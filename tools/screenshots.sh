#!/bin/bash
# Takes pictures of the program's windows for a look at the layout: the main
# window on each of its four pages (and once with its log panel, once with
# a tool bar button's tip), the folder tree opened on Japanese folders, the
# synchronised-folder tree opened on a mirror with files of several types,
# the restore page with a filled restore list, the trees' and the source
# list's context menus, and every dialog a user meets on the way (install
# notice, the progress and result dialogs of the backup that opening a data
# file starts and of a restore, the information windows of a folder and of
# a file, the properties of a source with its extension filter on and off,
# extension entry, about box, the password of a network share, the question
# before a run deletes most of a mirror, the warning
# of a second start with /uninstall, the uninstall question). Then it builds
# the user guide (BUILD_DIR/app/mrq.html) again with these pictures in it.
#
#   tools/screenshots.sh [BUILD_DIR]    writes BUILD_DIR/screenshots/*.png
#
# The program runs headless on an Xvfb display of its own inside a wine
# virtual desktop (so wine draws captions and frames), in a prefix apart
# from the tests' (BUILD_DIR/screenshot-wine), starting as on a machine
# where it was never installed. The driver (mrq_driver.exe) works the
# windows and prints each one's geometry; import cuts the picture to it.
set -eu

. "$(dirname "$0")/drive-session.sh" "${1:-}" screenshot-wine screenshots
preview=$build/tools/preview/mrq_preview.exe

"$run" --setup
eval "$("$run" --env)"
rm -rf "$out"
mkdir -p "$out"
# A first start, with a data file of Japanese names to show. Its folders
# exist, so opening it backs them up at once; a large file keeps the
# progress dialog up for its picture.
wine reg delete 'HKCU\Software\Quenlow' /f >/dev/null 2>&1 || true
drives=$MRQ_WINE_ROOT/drives
cp "$here/../tests/data/japanese.mrd" "$drives/d/japanese.mrd"
rm -rf "$drives/d/資料" "$drives/d/写真" "$drives/d/能" "$drives/e/十" "$drives/f/バックアップ"
mkdir -p "$drives/d/資料/表" "$drives/d/能/十" "$drives/e/十" "$drives/f/バックアップ/表"
echo "見積書" >"$drives/d/資料/表/見積書.doc"
echo "請求書" >"$drives/d/資料/表/請求書.xls"
for n in 1 2 3 4; do truncate -s 150M "$drives/d/資料/表/年次報告$n.doc"; done
echo "メモ" >"$drives/d/能/十/メモ.txt"
# A file in E:\十 too: a run makes no mirror for an empty source, and the
# synchronised-folder tree shows a mirror that was never made without a name.
echo "一覧" >"$drives/e/十/一覧.txt"
# A folder nested deeper than a path can reach: the run skips it with a
# warning, and the result dialog says so.
deep="$drives/d/資料/表"
for n in 1 2 3 4 5 6 7 8 9; do deep="$deep/とても長い名前のフォルダが続きます$n"; done
mkdir -p "$deep"
# More folders to browse on D:.
mkdir -p "$drives/d/資料/見積書" "$drives/d/資料/請求書/2024年" "$drives/d/資料/表計算" \
    "$drives/d/資料/Archive" "$drives/d/写真/旅行"

echo "Screenshots in $out:"
start_program 'D:\japanese.mrd'
shoot install dialog Install
# The run is held while its progress dialog is taken, however fast the
# machine copies.
hold バックアップ中
drive press Install 1
shoot_held progress
shoot result dialog バックアップ
drive press バックアップ 1 2>/dev/null || true # unless it went by itself after 5 s
# The first mirror, as the run left it, gains files of several types and
# subfolders for the synchronised-folder tree to show.
mirror=$drives/f/バックアップ/表/表
mkdir -p "$mirror/2024年" "$mirror/ソース"
for name in メモ.txt 地図.bmp 設定.ini 案内.html 能力表.csv; do
    : >"$mirror/$name"
done
# A name code page 932 cannot hold: the tree shows it with "?".
: >"$mirror/Café.txt"
cp "$program" "$mirror/mrq.exe" # a program shows its own icon

shoot main-sources main

# The properties of the first source, whose extension filter is on; then
# with the filter turned off (its controls greyed), and cancelled.
drive open-row
shoot properties dialog バックアップ元の情報
drive toggle バックアップ元の情報 1050
shoot properties-filter-off dialog バックアップ元の情報
drive press バックアップ元の情報 2
# The source list's menu on the first row.
shoot source-menu row-menu
drive escape

shoot main-destination tab 1
shoot main-restore tab 2
shoot main-settings tab 3

drive click 1029 # 登録 of the never-copied extensions
shoot extension dialog 拡張子の登録
drive press 拡張子の登録 2

# With the log view on, the source page shows the log at its foot.
drive click 1022 # ログビューを表示する。
shoot main-log tab 0

# The mouse on a tool bar button: its tip beside it, its prompt below.
shoot toolbar-tip hover 57601 # 開く

# The folder tree two levels down, a Japanese folder selected, and the
# trees' context menu on it; the trees made wider to show it.
drive tab 0 >/dev/null
drive splitter 60
shoot tree-folders tree 1001 'マイ コンピュータ' 'D:\' '資料' '請求書'
shoot tree-menu treemenu 1001
drive escape
# The mirror folders of the data file, the first opened on its files.
drive tab 2 >/dev/null
shoot tree-sync tree 1011 '同期フォルダ' '表' 'ソース'

# The restore list filled from that tree: folders first, then files with
# their icons, one of them from the suffixed mirror 十(1).
rows=0
for item in 表/ソース 表/2024年 表/メモ.txt 表/地図.bmp 表/mrq.exe 表/年次報告1.doc 表/年次報告2.doc \
    '十(1)/メモ.txt'; do
    drive tree 1011 '同期フォルダ' "${item%%/*}" "${item#*/}" >/dev/null
    drive click 1005 # 登録
    rows=$((rows + 1))
    drive rows 1013 $rows >/dev/null
done
# The window maximised and the name column widened, so that the rows read
# as more than their common beginning.
drive window max
drive splitter -60
drive column 1013 0 420
drive column 1013 2 130
shoot main-restore-list rows 1013 $rows
drive window normal
# The information windows of a mirror folder (once its count is done) and
# of a file, opened on the tree's selection.
drive tree 1011 '同期フォルダ' '表' >/dev/null
drive command 32785 # ﾌﾟﾛﾊﾟﾃｨ
shoot folder-info dialog フォルダに付いて 1018
drive press フォルダに付いて 2
drive tree 1011 '同期フォルダ' '表' 'mrq.exe' >/dev/null
drive command 32785
shoot file-info dialog ファイルに付いて
drive press ファイルに付いて 2
# The restore of the list, its progress held for the picture (two large
# files keep it going), then its result.
hold 復元処理
drive click 1014 # 開始
shoot_held restore-progress
shoot restore-result dialog 復元の終了
drive press 復元の終了 1 2>/dev/null || true # unless it went by itself after 5 s

drive command 57664 # About
shoot about dialog ﾊﾞｰｼﾞｮﾝ情報
drive press ﾊﾞｰｼﾞｮﾝ情報 2

# A share that wants a password; a machine without a network shows this
# dialog only through the preview.
"$run" "$preview" password '\\fileserver\共有' >/dev/null 2>&1 &
drive type Password 1010 himitsu
shoot password dialog Password
drive press Password 2

# The question of a run that would empty most of a mirror: shown alone,
# as the set of the pictures above has no emptied source.
"$run" "$preview" removal 'D:\写真' 240 200 >/dev/null 2>&1 &
shoot guard-question dialog 'mrq Warning'
drive press 'mrq Warning' 7 # いいえ

start_program /uninstall # while the program runs
shoot uninstall-while-running dialog Warning
drive press Warning 1

drive close
start_program /uninstall
shoot uninstall dialog Uninstall
drive press Uninstall 2

# The user guide shows these pictures: build it again with them in it. A
# picture that the guide names and that was not taken fails the script.
python3 "$here/build_guide.py" "$here/../docs/guide.html" "$here/../docs/template.html" \
    "$out" "$build/app/mrq.html" --require-pictures
echo "The user guide with these pictures: $build/app/mrq.html"
