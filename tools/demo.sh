#!/bin/bash
# The program doing its job, start to end, through its own windows and
# files only:
#   1. a first start of mrq.exe, whose settings page is set to close the
#      program after a backup of a data file it was started with;
#   2. a small sample (two source folders with Japanese names, one of them
#      with trail bytes 0x5C, files and subfolders) and a destination on
#      drives of the demo's own prefix, written into a data file that keeps
#      one history generation;
#   3. an unattended backup: mrq.exe started with the data file, as a
#      double-click on it would;
#   4. a few files changed, added and deleted, and a second unattended run;
#   5. after each run the counts of its result dialog, then the mirror and
#      history trees. The progress and result dialogs of the first run are
#      saved as pictures;
#   6. a restore: a source file deleted, then picked in the program's
#      synchronised-folder tree, listed and restored with "開始" on the
#      restore page; the file is back with its bytes and times. The restore
#      list and the restore's result dialog are saved as pictures.
#
#   tools/demo.sh [BUILD_DIR]    pictures go to BUILD_DIR/demo/
#
# It runs headless on an Xvfb display of its own (a display of yours is
# not needed and not used), in a prefix apart from the tests'
# (BUILD_DIR/demo-wine), made afresh on every run.
set -eu

. "$(dirname "$0")/drive-session.sh" "${1:-}" demo-wine demo

rm -rf "$MRQ_WINE_ROOT" "$out"
mkdir -p "$out"
"$run" --setup
eval "$("$run" --env)"
d=$MRQ_WINE_ROOT/drives/d
e=$MRQ_WINE_ROOT/drives/e

echo "== 1. First start: the settings page, \"バックアップ後すぐに終了する。\" checked"
"$run" "$program" >/dev/null 2>&1 &
drive press Install 1
drive tab 3 >/dev/null
drive click 1020
drive close

echo "== 2. The sample on D:, the destination E:\\バックアップ, the data file D:\\demo.mrd"
# 表 (95 5C) and ソ (83 5C): their second byte is the backslash's.
mkdir -p "$d/写真表/2023/春" "$d/写真表/2024" "$d/写真表/動画" "$d/資料ソ/報告書"
echo "桜の写真" >"$d/写真表/2023/春/桜.jpg"
echo "海の写真" >"$d/写真表/2024/海.jpg"
echo "一覧" >"$d/写真表/一覧.txt"
echo "十月の報告 第1版" >"$d/資料ソ/報告書/十月.txt"
echo "能力表" >"$d/資料ソ/報告書/能力表.txt"
echo "古いメモ" >"$d/資料ソ/メモ.txt"
echo "作業ファイル" >"$d/資料ソ/作業.tmp" # never copied: a default extension
# Large files (sparse here, whole in the mirror), so that the progress
# dialog stays up for its picture.
for n in 1 2 3 4 5 6; do truncate -s 50M "$d/写真表/動画/旅行$n.mp4"; done
mkdir -p "$e/バックアップ"
# The data file: header, destination and last backup (none yet), then one
# line per source: folder, arrow, mirror (assigned by the program), history
# generations, note, subfolders, filter mode, extensions. Code page 932,
# CR LF line ends.
printf '%s\r\n' \
    $'mrq Backup File \tHeaderVersion 2.1' \
    $'E:\\バックアップ\t' \
    $'D:\\写真表\t->\t\t1\t写真\tする\t-1\t' \
    $'D:\\資料ソ\t->\t\t1\t仕事の資料\tする\t-1\t' |
    iconv -f UTF-8 -t CP932 >"$d/demo.mrd"
echo "  written"

# One unattended run: mrq.exe with the data file, minimised; the driver
# reads the result dialog while it shows (it goes after 5 s, and the
# program with it).
backup() {
    [ "${1:-}" = pictures ] && hold バックアップ中 # the run waits for the picture
    "$run" "$program" 'D:\demo.mrd' >/dev/null 2>&1 &
    local pid=$!
    if [ "${1:-}" = pictures ]; then
        shoot_held progress
        shoot result dialog バックアップ
    fi
    drive result | iconv -f CP932 -t UTF-8 | sed 's/^/  /'
    wait "$pid"
}

# The files and folders below a folder, one per line, with the size of
# each file.
tree_of() {
    (cd "$1" && find . -mindepth 1 -printf '%P\t%s\t%y\n' | LC_ALL=C sort |
        awk -F '\t' '{ gsub("/", "\\", $1); print "    " $1 ($3 == "f" ? "  (" $2 " bytes)" : "\\") }')
}

show_trees() {
    echo "  mirror folders in E:\\バックアップ:"
    tree_of "$e/バックアップ" | grep -v -e 'mrq HistoryFolder' -e 'Backup.mrd'
    echo "  history generations in E:\\バックアップ\\mrq HistoryFolder:"
    if [ -d "$e/バックアップ/mrq HistoryFolder" ]; then
        tree_of "$e/バックアップ/mrq HistoryFolder"
    else
        echo "    (none yet)"
    fi
}

echo "== 3. First unattended backup"
backup pictures
show_trees

echo "== 4. Changes: 十月.txt edited, 冬.jpg added, メモ.txt deleted; second backup"
sleep 1 # a newer modification time
echo "十月の報告 第2版" >"$d/資料ソ/報告書/十月.txt"
mkdir -p "$d/写真表/2024/冬"
echo "雪の写真" >"$d/写真表/2024/冬/冬.jpg"
rm "$d/資料ソ/メモ.txt"
backup
show_trees
echo "  the version of 十月.txt before the change, kept in bk1:"
sed 's/^/    /' "$e/バックアップ/mrq HistoryFolder/bk1/資料ソ/報告書/十月.txt"
echo "  the data file now records the last backup:"
iconv -f CP932 -t UTF-8 "$d/demo.mrd" | sed -n 2p | tr '\t' ' ' | sed 's/^/    /'

# The last-write time, size and bytes of a file.
file_facts() {
    echo "    $(date -r "$1" '+%Y/%m/%d %H:%M:%S')  $(stat -c %s "$1") bytes  $(cat "$1")"
}

echo "== 6. 海.jpg deleted from the source, then restored from its mirror"
photo=写真表/2024/海.jpg
echo "  in the mirror:"
file_facts "$e/バックアップ/$photo"
rm "$d/$photo"
# Started with the data file but without a backup: "ダブルクリックで起動した
# 時すぐにバックアップを行う。" is turned off first.
"$run" "$program" >/dev/null 2>&1 &
drive tab 3 >/dev/null
drive click 1019
drive close
"$run" "$program" 'D:\demo.mrd' >/dev/null 2>&1 &
pid=$!
drive tab 2 >/dev/null
drive tree 1011 '同期フォルダ' 写真表 2024 海.jpg >/dev/null
drive click 1005 # 登録
drive window max # the list's row shows its whole path
drive column 1013 0 420
drive column 1013 2 130
shoot restore-list rows 1013 1
drive click 1014 # 開始
shoot restore-result dialog 復元の終了
drive restore-result | iconv -f CP932 -t UTF-8 | sed 's/^/  /'
drive press 復元の終了 1 2>/dev/null || true # unless it went by itself after 5 s
drive close
wait "$pid"
echo "  back in the source ($(date '+%H:%M:%S') now), with the time it had:"
file_facts "$d/$photo"
