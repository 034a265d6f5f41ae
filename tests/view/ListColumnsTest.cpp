// The source and restore list columns: titles, alignment, widths from the
// profile (stored or default), and whole-row selection added to the
// styles the list already had.
#include <gtest/gtest.h>

#include "HiddenListView.h"
#include "ListColumns.h"
#include "ListCtrl.h"
#include "Profile.h"
#include "Settings.h"

namespace {

class ListColumnsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, m_list.GetSafeHwnd());
        m_list.SetExtendedStyle(LVS_EX_GRIDLINES);
        char szCompany[64];
        std::snprintf(szCompany, sizeof szCompany, "mrq columns test %lu", GetCurrentProcessId());
        m_strCompany = szCompany;
        m_profile.SetRegistryKey(m_strCompany);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + m_strCompany);
    }

    struct CShownColumn {
        CString strTitle;
        int nFormat;
        int nWidth;
    };
    CShownColumn Column(int nColumn) const {
        char sz[64] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.pszText = sz;
        column.cchTextMax = sizeof sz;
        m_list.SendMessage(LVM_GETCOLUMNA, nColumn, reinterpret_cast<LPARAM>(&column));
        return {sz, column.fmt & LVCFMT_JUSTIFYMASK, column.cx};
    }
    int ColumnCount() const {
        HWND hHeader = reinterpret_cast<HWND>(m_list.SendMessage(LVM_GETHEADER));
        return static_cast<int>(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
    }

    CHiddenListView m_host;
    CListCtrl& m_list = m_host.List();
    CString m_strCompany;
    CProfile m_profile{"mrq BackupTool"};
};

TEST_F(ListColumnsTest, SourceListWithDefaultWidths) {
    SetUpSourceListColumns(m_list, m_profile);
    ASSERT_EQ(4, ColumnCount());
    EXPECT_EQ("フォルダ名", Column(0).strTitle);
    EXPECT_EQ("備 考", Column(1).strTitle);
    EXPECT_EQ("履歴数", Column(2).strTitle);
    EXPECT_EQ("サブフォルダの保存", Column(3).strTitle);
    EXPECT_EQ(LVCFMT_LEFT, Column(1).nFormat);
    EXPECT_EQ(LVCFMT_RIGHT, Column(2).nFormat);
    EXPECT_EQ(LVCFMT_CENTER, Column(3).nFormat);
    EXPECT_EQ(150, Column(0).nWidth);
    EXPECT_EQ(100, Column(1).nWidth);
    EXPECT_EQ(50, Column(2).nWidth);
    EXPECT_EQ(50, Column(3).nWidth);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              m_list.GetExtendedStyle());
}

TEST_F(ListColumnsTest, RestoreListTakesStoredWidths) {
    SaveColumnWidth(m_profile, RESTORE_LIST, 0, 222);
    SaveColumnWidth(m_profile, RESTORE_LIST, 2, 33);
    SetUpRestoreListColumns(m_list, m_profile);
    ASSERT_EQ(3, ColumnCount());
    EXPECT_EQ("フォルダ名/ファイル名", Column(0).strTitle);
    EXPECT_EQ("サイズ", Column(1).strTitle);
    EXPECT_EQ(LVCFMT_RIGHT, Column(1).nFormat);
    EXPECT_EQ("更新日時", Column(2).strTitle);
    EXPECT_EQ(222, Column(0).nWidth);
    EXPECT_EQ(70, Column(1).nWidth);
    EXPECT_EQ(33, Column(2).nWidth);
}

} // namespace
