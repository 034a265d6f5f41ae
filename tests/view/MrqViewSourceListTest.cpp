// The commands on the source list: the properties dialog writes its values
// back into the row and the entry (keeping a long note whole), the
// subfolder rule, and deleting one source or all of them.
#include "ViewHarness.h"

#include <functional>

#include "BackupSource.h"
#include "LogBuffer.h"

namespace {

class MrqViewSourceListTest : public CMrqViewTest {
protected:
    void SetUp() override {
        CMrqViewTest::SetUp();
        Start();
    }

    void Register(const char* pszPath) {
        ASSERT_EQ(1, View()->GetSourcePage().RegisterSource(pszPath));
    }
    int Row(const char* pszPath) const {
        CListCtrl& list = SourceList();
        for (int i = 0; i < list.GetItemCount(); i++)
            if (list.GetItemText(i, 0) == pszPath)
                return i;
        return -1;
    }
    CBackupSource* Entry(const char* pszPath) const {
        return reinterpret_cast<CBackupSource*>(SourceList().GetItemData(Row(pszPath)));
    }
    void Select(const char* pszPath) {
        SourceList().SetItemState(-1, 0, LVIS_SELECTED);
        if (pszPath)
            SourceList().SetItemState(Row(pszPath), LVIS_SELECTED, LVIS_SELECTED);
    }
    // Double-clicks the selected row: the list's notification to the view.
    void DoubleClick() {
        NMHDR nmhdr = {Control(IDC_SOURCE_LIST), IDC_SOURCE_LIST, static_cast<UINT>(NM_DBLCLK)};
        View()->SendMessage(WM_NOTIFY, IDC_SOURCE_LIST, reinterpret_cast<LPARAM>(&nmhdr));
    }
    void Command(UINT nID) { View()->SendMessage(WM_COMMAND, nID); }
    // A right click as the list reports it: the row under the cursor, or
    // -1 below the last row.
    void RightClick(int nItem) {
        NMITEMACTIVATE item = {};
        item.hdr = {Control(IDC_SOURCE_LIST), IDC_SOURCE_LIST, static_cast<UINT>(NM_RCLICK)};
        item.iItem = nItem;
        View()->SendMessage(WM_NOTIFY, IDC_SOURCE_LIST, reinterpret_cast<LPARAM>(&item));
        PumpMessages();
    }
    // Opens the properties of the path's row; user works the dialog.
    void EditSource(const char* pszPath, const std::function<int(CDialog&)>& user) {
        Select(pszPath);
        m_bDialogShown = false;
        AfxSetModalDialogHandler([this, user](CDialog& dlg) {
            m_bDialogShown = true;
            return user(dlg);
        });
        DoubleClick();
        AfxSetModalDialogHandler(nullptr);
    }
    static CString Text(CDialog& dlg, int nID) { return dlg.GetDlgItemText(nID); }
    static void Press(CDialog& dlg, int nID) {
        ::SendMessageA(dlg.GetDlgItem(nID), BM_CLICK, 0, 0);
    }
    std::string LastLogLine() const {
        std::string strText = LogBuffer().m_strText.str();
        strText.pop_back();
        return strText.substr(strText.rfind('\n') + 1);
    }

    bool m_bDialogShown = false;
};

TEST_F(MrqViewSourceListTest, PropertiesShowTheEntryAndOkWritesRowAndEntryBack) {
    Register("D:\\資料\\ソース表");
    CBackupSource* pEntry = Entry("D:\\資料\\ソース表");
    // A note of 60 bytes, as a data file may hold: the row shows what fits
    // in 47 bytes without cutting a character.
    std::string strLong;
    for (int i = 0; i < 30; i++)
        strLong += "表";
    pEntry->m_strNote = strLong.c_str();
    pEntry->m_strExtensions = "txt,doc";
    Doc()->SetModifiedFlag(false);

    EditSource("D:\\資料\\ソース表", [&](CDialog& dlg) {
        EXPECT_EQ("ソース表", Text(dlg, IDC_FOLDER_NAME));
        EXPECT_EQ(strLong.c_str(), Text(dlg, IDC_NOTE));
        EXPECT_EQ("1", Text(dlg, IDC_HISTORY));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dlg.GetSafeHwnd(), IDC_SUBFOLDERS_YES));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dlg.GetSafeHwnd(), IDC_USE_FILTER));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dlg.GetSafeHwnd(), IDC_FILTER_EXCLUDE));
        dlg.SetDlgItemText(IDC_HISTORY, "12");
        Press(dlg, IDC_SUBFOLDERS_NO);
        Press(dlg, IDC_USE_FILTER);
        Press(dlg, IDC_FILTER_ONLY);
        return IDOK;
    });
    ASSERT_TRUE(m_bDialogShown);
    EXPECT_EQ(std::string("D:\\資料\\ソース表|") + strLong.substr(0, 46) + "|12|しない",
              SourceRows()[0]);
    EXPECT_EQ(strLong.c_str(), pEntry->m_strNote);
    EXPECT_STREQ("12", pEntry->m_szHistory);
    EXPECT_STREQ("しない", pEntry->m_szSubfolders);
    EXPECT_STREQ("1", pEntry->m_szFilterMode);
    EXPECT_EQ("doc,txt", pEntry->m_strExtensions); // in the list's order
    EXPECT_TRUE(Doc()->IsModified());

    // The filter off again: "-1", the extensions kept; a short note is
    // shown whole.
    EditSource("D:\\資料\\ソース表", [&](CDialog& dlg) {
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dlg.GetSafeHwnd(), IDC_FILTER_ONLY));
        Press(dlg, IDC_USE_FILTER);
        dlg.SetDlgItemText(IDC_NOTE, "月次");
        return IDOK;
    });
    EXPECT_STREQ("-1", pEntry->m_szFilterMode);
    EXPECT_EQ("doc,txt", pEntry->m_strExtensions);
    EXPECT_EQ("D:\\資料\\ソース表|月次|12|しない", SourceRows()[0]);
    EXPECT_TRUE(s_boxes.empty());
}

TEST_F(MrqViewSourceListTest, CancelNoSelectionAndDriveRootsChangeNothing) {
    Register("E:\\");
    CBackupSource* pEntry = Entry("E:\\");
    Doc()->SetModifiedFlag(false);
    EditSource("E:\\", [](CDialog& dlg) {
        EXPECT_EQ("E root", Text(dlg, IDC_FOLDER_NAME));
        dlg.SetDlgItemText(IDC_NOTE, "変えない");
        Press(dlg, IDC_SUBFOLDERS_NO);
        return IDCANCEL;
    });
    EXPECT_TRUE(m_bDialogShown);
    EditSource(nullptr, [](CDialog&) { return IDOK; });
    EXPECT_FALSE(m_bDialogShown);
    EXPECT_EQ("E:\\||1|する", SourceRows()[0]);
    EXPECT_EQ("", pEntry->m_strNote);
    EXPECT_STREQ("する", pEntry->m_szSubfolders);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(MrqViewSourceListTest, SubfoldersStayOffWhileAnyRegisteredFolderLiesInside) {
    // Rows as a data file may hold them (registration would refuse the
    // parent). The sorted list puts "E:\Data 2" between E:\Data and
    // E:\Data\Sub, so the subfolder is not the next row.
    for (const char* pszPath : {"E:\\Data\\Sub", "E:\\Data 2", "E:\\Data"}) {
        auto* pEntry = new CBackupSource(pszPath);
        pEntry->SetSubfolders("しない");
        Doc()->m_sources.AddTail(pEntry);
        View()->GetSourcePage().AddRow(pEntry);
    }
    ASSERT_NE(Row("E:\\Data") + 1, Row("E:\\Data\\Sub"));

    s_boxes.clear();
    EditSource("E:\\Data", [](CDialog& dlg) {
        Press(dlg, IDC_SUBFOLDERS_YES);
        dlg.SetDlgItemText(IDC_NOTE, "親");
        return IDOK;
    });
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_EQ(CString("サブフォルダの設定は変更できません。"), s_boxes[0].strText);
    EXPECT_EQ(CString("mrq Warning"), s_boxes[0].strCaption);
    EXPECT_EQ(UINT{MB_OK | MB_ICONEXCLAMATION}, s_boxes[0].nType);
    EXPECT_STREQ("しない", Entry("E:\\Data")->m_szSubfolders);
    EXPECT_EQ("親", Entry("E:\\Data")->m_strNote);

    // A folder with nothing registered inside may back up its subfolders.
    s_boxes.clear();
    EditSource("E:\\Data 2", [](CDialog& dlg) {
        Press(dlg, IDC_SUBFOLDERS_YES);
        return IDOK;
    });
    EXPECT_TRUE(s_boxes.empty());
    EXPECT_STREQ("する", Entry("E:\\Data 2")->m_szSubfolders);
}

TEST_F(MrqViewSourceListTest, DeleteAndInitialiseActOnTheSourcePageOnly) {
    Register("D:\\a");
    Register("D:\\表b");
    Register("D:\\c");
    Doc()->SetModifiedFlag(false);
    int nLines = LogBuffer().m_nLines;

    // Nothing selected: nothing happens.
    Select(nullptr);
    Click(IDC_DELETE);
    EXPECT_EQ(3, Doc()->m_sources.GetCount());

    Select("D:\\表b");
    Click(IDC_DELETE);
    EXPECT_EQ("バックアップ元のリストから D:\\表b を削除しました。", LastLogLine());
    Select("D:\\a");
    Command(ID_SOURCE_DELETE);
    EXPECT_EQ((std::vector<std::string>{"D:\\c||1|する"}), SourceRows());
    ASSERT_EQ(1, Doc()->m_sources.GetCount());
    EXPECT_EQ("D:\\c", static_cast<CBackupSource*>(Doc()->m_sources.GetHead())->m_strFolder);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(nLines + 2, LogBuffer().m_nLines);

    // The buttons do nothing on the other pages.
    Select("D:\\c");
    for (int nTab : {1, 3}) {
        SelectTab(nTab);
        View()->SendMessage(WM_COMMAND, IDC_DELETE);
        View()->SendMessage(WM_COMMAND, IDC_INIT_LIST);
        EXPECT_EQ(1, Doc()->m_sources.GetCount()) << nTab;
    }
    SelectTab(0);
    Doc()->SetModifiedFlag(false);
    Command(ID_LIST_INIT);
    EXPECT_EQ(0, Doc()->m_sources.GetCount());
    EXPECT_EQ(0, SourceList().GetItemCount());
    EXPECT_EQ("バックアップ元のリストを初期化しました。", LastLogLine());
    EXPECT_TRUE(Doc()->IsModified());

    // An empty list: no log line, not modified.
    Doc()->SetModifiedFlag(false);
    nLines = LogBuffer().m_nLines;
    Click(IDC_INIT_LIST);
    EXPECT_EQ(nLines, LogBuffer().m_nLines);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(MrqViewSourceListTest, RowMenuEditsDeletesInitialisesAndOffersInformation) {
    Register("D:\\a");
    Register("D:\\ソース表");
    ChooseFromMenus(ID_SOURCE_EDIT);
    RightClick(-1);
    EXPECT_TRUE(m_menus.empty()) << "a menu below the rows";

    // The list has selected the clicked row; "内容変更" opens its
    // properties.
    Select("D:\\ソース表");
    CString strShown;
    AfxSetModalDialogHandler([&](CDialog& dlg) {
        strShown = Text(dlg, IDC_FOLDER_NAME);
        return IDCANCEL;
    });
    RightClick(Row("D:\\ソース表"));
    AfxSetModalDialogHandler(nullptr);
    ASSERT_EQ(1u, m_menus.size());
    EXPECT_EQ((std::vector<std::string>{"内容変更", "削除", "初期化", "-", "ﾌﾟﾛﾊﾟﾃｨ"}), m_menus[0]);
    EXPECT_EQ("ソース表", strShown);

    ChooseFromMenus(ID_SOURCE_DELETE);
    RightClick(Row("D:\\ソース表"));
    EXPECT_EQ((std::vector<std::string>{"D:\\a||1|する"}), SourceRows());
    EXPECT_EQ(1, Doc()->m_sources.GetCount());

    Select("D:\\a");
    ChooseFromMenus(ID_LIST_INIT);
    RightClick(Row("D:\\a"));
    EXPECT_TRUE(SourceRows().empty());
    EXPECT_EQ(0, Doc()->m_sources.GetCount());
    EXPECT_EQ(3u, m_menus.size());
}

} // namespace
