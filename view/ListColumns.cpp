#include "ListColumns.h"

#include "ListCtrl.h"
#include "Settings.h"

namespace {

struct CColumn {
    const char* pszTitle;
    int nFormat;
};

const CColumn SOURCE_COLUMNS[] = {
    {"フォルダ名", LVCFMT_LEFT},
    {"備 考", LVCFMT_LEFT},
    {"履歴数", LVCFMT_RIGHT},
    {"サブフォルダの保存", LVCFMT_CENTER},
};

const CColumn RESTORE_COLUMNS[] = {
    {"フォルダ名/ファイル名", LVCFMT_LEFT},
    {"サイズ", LVCFMT_RIGHT},
    {"更新日時", LVCFMT_LEFT},
};

template <size_t N>
void SetUpColumns(CListCtrl& list, const CProfile& profile, int nList,
                  const CColumn (&columns)[N]) {
    for (size_t i = 0; i < N; ++i) {
        int nColumn = static_cast<int>(i);
        list.InsertColumn(nColumn, columns[i].pszTitle, columns[i].nFormat,
                          LoadColumnWidth(profile, nList, nColumn));
    }
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
}

template <size_t N>
void SaveColumns(const CListCtrl& list, CProfile& profile, int nList, const CColumn (&)[N]) {
    for (size_t i = 0; i < N; ++i) {
        int nColumn = static_cast<int>(i);
        SaveColumnWidth(profile, nList, nColumn, list.GetColumnWidth(nColumn));
    }
}

} // namespace

void SetUpSourceListColumns(CListCtrl& list, const CProfile& profile) {
    SetUpColumns(list, profile, SOURCE_LIST, SOURCE_COLUMNS);
}

void SetUpRestoreListColumns(CListCtrl& list, const CProfile& profile) {
    SetUpColumns(list, profile, RESTORE_LIST, RESTORE_COLUMNS);
}

void SaveSourceListColumns(const CListCtrl& list, CProfile& profile) {
    SaveColumns(list, profile, SOURCE_LIST, SOURCE_COLUMNS);
}

void SaveRestoreListColumns(const CListCtrl& list, CProfile& profile) {
    SaveColumns(list, profile, RESTORE_LIST, RESTORE_COLUMNS);
}
