// The restore page: the restore list's rows and commands, a restore of
// listed items from suffixed and plain mirrors back to their own sources,
// and the information windows of the lists and trees.
#include "ViewHarness.h"

#include <algorithm>
#include <string>

#include "BackupSource.h"
#include "FileOps.h"
#include "LogBuffer.h"
#include "Menu.h"
#include "PathInfoDlg.h"
#include "ScratchTree.h"
#include "TreeHelpers.h"

namespace {

const int TAB_RESTORE = 2;

class MrqViewRestoreTest : public CMrqViewTest {
protected:
    CListCtrl& List() { return RestoreList(); }
    // Rows as "path|size", top to bottom.
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (int i = 0; i < List().GetItemCount(); i++)
            rows.push_back(List().GetItemText(i, 0).str() + "|" + List().GetItemText(i, 1).str());
        return rows;
    }
    int Image(int nRow) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = nRow;
        List().SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    void Select(int nRow) { List().SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED); }
    std::string Log() const { return LogBuffer().m_strText.str(); }
    static int Occurrences(const std::string& text, const std::string& part) {
        int n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            n++;
        return n;
    }

    // Saves the set (which gives each source its mirror) and opens it again
    // as a user would, so the synchronised-folder tree shows the mirrors.
    void OpenSet(const CScratchTree& scratch, const std::vector<CString>& sources) {
        Doc()->m_strDestination = scratch.Path("bk");
        for (const CString& strSource : sources)
            Doc()->m_sources.AddTail(new CBackupSource(strSource));
        CString strFile = scratch.Path("set.mrd");
        ASSERT_TRUE(Doc()->OnSaveDocument(strFile));
        ASSERT_NE(nullptr, m_pApp->OpenDocumentFile(strFile));
    }
    // Selects the item along the texts in the synchronised-folder tree and
    // presses Register.
    void RegisterFromTree(const std::vector<std::string>& texts) {
        HTREEITEM hItem = OpenPath(View()->GetRestorePage().GetSyncTree(), texts);
        ASSERT_NE(nullptr, hItem);
        View()->GetRestorePage().GetSyncTree().SelectItem(hItem);
        Click(IDC_REGISTER);
    }
    // A right click on the row as the mouse gives it; the menu shown is
    // recorded and nCommand chosen from it.
    void RightClickRow(int nRow, UINT nCommand) {
        ChooseFromMenus(nCommand);
        RECT rc = {};
        rc.left = LVIR_BOUNDS; // which rectangle LVM_GETITEMRECT gives
        if (nRow >= 0) {
            List().SendMessage(LVM_GETITEMRECT, nRow, reinterpret_cast<LPARAM>(&rc));
        } else {
            List().GetClientRect(&rc);
            rc.top = rc.bottom - 4;
        }
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        POINT ptScreen = pt;
        ::ClientToScreen(List().GetSafeHwnd(), &ptScreen);
        ASSERT_TRUE(::SetCursorPos(ptScreen.x, ptScreen.y));
        List().PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        List().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpMessages();
    }
};

// What an information window counted, once its count is done.
struct CCounted {
    UINT nTemplate = 0;
    CString strPath;
    LONG nFiles = -1;
    LONG nFolders = -1;
};

// Answers the next information window: waits for its count and closes it.
void CountNextInfoWindow(CCounted& counted) {
    AfxSetModalDialogHandler([&counted](CDialog& d) {
        counted.nTemplate = d.GetTemplateID();
        if (auto* pFolder = dynamic_cast<CFolderInfoDlg*>(&d)) {
            for (int i = 0; i < 2000 && !pFolder->m_status.m_bFinished; ++i)
                Sleep(10);
            counted.strPath = pFolder->m_strFolder;
            counted.nFiles = pFolder->m_status.m_nCount;
            counted.nFolders = pFolder->m_status.m_nCount2;
        } else if (auto* pFile = dynamic_cast<CFileInfoDlg*>(&d)) {
            counted.strPath = pFile->m_strFile;
        }
        return IDCANCEL;
    });
}

} // namespace

TEST_F(MrqViewRestoreTest, ListTakesEachItemOnceFoldersFirstAndLeavesTheSetAlone) {
    CScratchTree scratch("restorelist");
    CString strFile = scratch.WriteFile("bk\\data\\a表.txt", std::string(1536, 'x'));
    CString strFolder = scratch.MakeFolder("bk\\data\\ソ");
    CString strInner = scratch.WriteFile("bk\\data\\ソ\\十.txt", "");
    Start();
    SelectTab(TAB_RESTORE);
    ASSERT_EQ(1, View()->GetSourcePage().RegisterSource(scratch.Path("src")));
    Doc()->SetModifiedFlag(false);

    EXPECT_EQ(1, View()->GetRestorePage().AddRestoreItem(strFile));
    EXPECT_EQ(1, View()->GetRestorePage().AddRestoreItem(strFolder));
    // Inside a listed folder is accepted; the same item again, or a folder
    // around a listed item, is refused without a word.
    EXPECT_EQ(1, View()->GetRestorePage().AddRestoreItem(strInner));
    EXPECT_EQ(0, View()->GetRestorePage().AddRestoreItem(strFile));
    EXPECT_EQ(0, View()->GetRestorePage().AddRestoreItem(scratch.Path("bk\\data")));
    EXPECT_TRUE(s_boxes.empty());
    std::vector<std::string> rows = Rows();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(strFolder.str() + "|", rows[0]); // a folder has no size
    EXPECT_EQ(IMAGE_FOLDER_CLOSED, Image(0));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), strFile.str() + "|1.50KB"));
    EXPECT_GE(Image(1), IDB_IMAGE_COUNT); // files show their shell icons
    EXPECT_EQ(1, Occurrences(Log(), strFile.str() + " を復元に登録しました。"));
    EXPECT_EQ(0, Occurrences(Log(), scratch.Path("bk\\data").str() + " を復元に登録しました。"));

    // "< 削除" takes the selected row only; the set is not touched.
    Select(0);
    Click(IDC_DELETE);
    EXPECT_EQ(2u, Rows().size());
    EXPECT_EQ(1, Occurrences(Log(), "復元のリストから " + strFolder.str() + " を削除しました。"));
    EXPECT_EQ(1, Doc()->m_sources.GetCount());
    EXPECT_FALSE(Doc()->IsModified());

    // "初期化" from the list's menu empties it once; an empty list logs
    // nothing.
    RightClickRow(0, ID_LIST_INIT);
    ASSERT_EQ(1u, m_menus.size());
    EXPECT_EQ((std::vector<std::string>{"削除", "初期化", "-", "ﾌﾟﾛﾊﾟﾃｨ"}), m_menus[0]);
    EXPECT_TRUE(Rows().empty());
    Click(IDC_INIT_LIST);
    EXPECT_EQ(1, Occurrences(Log(), "復元のリストを初期化しました。"));
    EXPECT_EQ(1, Doc()->m_sources.GetCount());
    RightClickRow(-1, ID_LIST_INIT); // below the rows: no menu
    EXPECT_EQ(1u, m_menus.size());

    // A new data file empties the list without a log line.
    View()->GetRestorePage().AddRestoreItem(strFile);
    m_pApp->OnFileNew();
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(1, Occurrences(Log(), "復元のリストを初期化しました。"));
}

TEST_F(MrqViewRestoreTest, StartRestoreBringsEachMirrorBackToItsOwnSourceAndReportsWhatDidNot) {
    CScratchTree scratch("restorerun");
    // Two sources named data: the second one's mirror is data(1).
    scratch.WriteFile("x\\data\\keep.txt", "x");
    scratch.WriteFile("y\\data\\keep.txt", "y");
    CString strOne = scratch.WriteFile("bk\\data\\表.txt", "one");
    ASSERT_TRUE(SetWriteTime(strOne, 2001, 2, 3, 4, 5, 6));
    scratch.WriteFile("bk\\data(1)\\ソ\\能.txt", "two");
    Start();
    OpenSet(scratch, {scratch.Path("x\\data"), scratch.Path("y\\data")});
    SelectTab(TAB_RESTORE);
    // Nothing listed: "開始" only warns.
    Click(IDC_START);
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_STREQ("復元するフォルダまたはファイルが指定されていません。", s_boxes[0].strText);
    EXPECT_STREQ("mrq Warning", s_boxes[0].strCaption);
    RegisterFromTree({"同期フォルダ", "data", "表.txt"});
    RegisterFromTree({"同期フォルダ", "data(1)", "ソ"});
    CString strGone = scratch.Path("bk\\data\\gone.txt");
    ASSERT_EQ(1, View()->GetRestorePage().AddRestoreItem(strGone));
    ASSERT_EQ(3u, Rows().size());

    CString strCount, strMessage;
    AfxSetModalDialogHandler([&](CDialog& d) {
        if (d.GetTemplateID() != IDD_RESTORE_RESULT)
            return 0; // the progress window ends itself after the worker
        strCount = d.GetDlgItemText(IDC_RESTORED);
        strMessage = d.GetDlgItemText(IDC_RESULT_TEXT);
        return static_cast<int>(IDOK);
    });
    Click(IDC_START);
    AfxSetModalDialogHandler(nullptr);

    CString strBack = scratch.Path("x\\data\\表.txt");
    EXPECT_EQ("one", ReadWholeFile(strBack));
    EXPECT_EQ("2001/02/03 04:05:06", FormatWriteTime(strBack));
    EXPECT_EQ("two", ReadWholeFile(scratch.Path("y\\data\\ソ\\能.txt")));
    EXPECT_FALSE(PathExists(scratch.Path("x\\data\\ソ")));
    EXPECT_FALSE(PathExists(scratch.Path("y\\data\\表.txt")));
    EXPECT_STREQ("2", strCount);
    EXPECT_STREQ("1 件を復元できませんでした。", strMessage);
    EXPECT_EQ(1, Occurrences(Log(), "復元ファイル数 : 2"));
    EXPECT_EQ(1, Occurrences(Log(), "Warning : " + strGone.str() + " が復元されませんでした。"));
    EXPECT_EQ(3u, Rows().size()); // ready to run again
}

TEST_F(MrqViewRestoreTest, ARestoreStoppedOrNeverRunSaysWhatDidNotComeBack) {
    CScratchTree scratch("restorestop");
    // Two folder items whose files are held open at their targets: the
    // first one met fails and stops the walks, the other is never tried.
    for (const char* pszFolder : {"A", "B"}) {
        scratch.WriteFile((std::string("bk\\data\\") + pszFolder + "\\held.txt").c_str(), "new");
        scratch.WriteFile((std::string("x\\data\\") + pszFolder + "\\held.txt").c_str(), "old");
    }
    CString strFile = scratch.WriteFile("bk\\data\\c.txt", "c");
    Start();
    OpenSet(scratch, {scratch.Path("x\\data")});
    SelectTab(TAB_RESTORE);
    for (const char* psz : {"bk\\data\\A", "bk\\data\\B", "bk\\data\\c.txt"})
        ASSERT_EQ(1, View()->GetRestorePage().AddRestoreItem(scratch.Path(psz)));
    HANDLE hA = ::CreateFileA(scratch.Path("x\\data\\A\\held.txt"), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    HANDLE hB = ::CreateFileA(scratch.Path("x\\data\\B\\held.txt"), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hA);
    ASSERT_NE(INVALID_HANDLE_VALUE, hB);
    CString strMessage;
    AfxSetModalDialogHandler([&](CDialog& d) {
        if (d.GetTemplateID() != IDD_RESTORE_RESULT)
            return 0;
        strMessage = d.GetDlgItemText(IDC_RESULT_TEXT);
        return static_cast<int>(IDOK);
    });
    Click(IDC_START);
    AfxSetModalDialogHandler(nullptr);
    ::CloseHandle(hA);
    ::CloseHandle(hB);

    EXPECT_EQ("c", ReadWholeFile(scratch.Path("x\\data\\c.txt"))); // a file item still comes
    const std::string kStopped = "失敗したため復元を途中で止めました。";
    EXPECT_EQ("1 件を復元できませんでした。\n" + kStopped + "\n試されなかった項目 : 1 件",
              strMessage.str());
    EXPECT_EQ(1, Occurrences(Log(), "Warning : " + kStopped + " 試されなかった項目 : 1 件\n"));

    // No progress window can be made: the worker never runs, and that is
    // an error, with each item that did not come back in the log.
    std::string strBefore = Log();
    {
        CRefusedWindows refused;
        ASSERT_TRUE(refused.IsSet());
        Click(IDC_START);
    }
    ASSERT_EQ(1u, s_boxes.size());
    EXPECT_STREQ("3 件を復元できませんでした。", s_boxes[0].strText);
    EXPECT_STREQ("mrq Error", s_boxes[0].strCaption);
    std::string strAdded = Log().substr(strBefore.size());
    EXPECT_EQ(1, Occurrences(strAdded, "復元ファイル数 : 0\n"));
    EXPECT_EQ(1, Occurrences(strAdded, "Warning : " + strFile.str() + " が復元されませんでした。"));
    EXPECT_EQ(3, Occurrences(strAdded, " が復元されませんでした。"));
}

TEST_F(MrqViewRestoreTest, PropertiesCommandsShowTheSelectedPathCountingSubfoldersAsTheSourceSays) {
    CScratchTree scratch("restoreinfo");
    scratch.WriteFile("src\\a.txt", "");
    scratch.WriteFile("src\\表\\b.txt", "");
    scratch.WriteFile("src\\表\\ソ\\c.txt", "");
    Start();
    ASSERT_EQ(1, View()->GetSourcePage().RegisterSource(scratch.Path("src")));
    SourceList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);

    CCounted all;
    CountNextInfoWindow(all);
    View()->SendMessage(WM_COMMAND, ID_SOURCE_INFO);
    EXPECT_EQ(static_cast<UINT>(IDD_FOLDER_INFO), all.nTemplate);
    EXPECT_EQ(scratch.Path("src"), all.strPath);
    EXPECT_EQ(3, all.nFiles);
    EXPECT_EQ(2, all.nFolders);

    // Subfolders not saved: only the folder's own files.
    static_cast<CBackupSource*>(Doc()->m_sources.GetHead())->SetSubfolders("しない");
    CCounted top;
    CountNextInfoWindow(top);
    View()->SendMessage(WM_COMMAND, ID_SOURCE_INFO);
    EXPECT_EQ(1, top.nFiles);
    EXPECT_EQ(0, top.nFolders);

    // A restore row (through its menu), then a tree item.
    SelectTab(TAB_RESTORE);
    ASSERT_EQ(1, View()->GetRestorePage().AddRestoreItem(scratch.Path("src\\表\\ソ\\c.txt")));
    CCounted file;
    CountNextInfoWindow(file);
    RightClickRow(0, ID_RESTORE_ITEM_INFO);
    EXPECT_EQ(static_cast<UINT>(IDD_FILE_INFO), file.nTemplate);
    EXPECT_EQ(scratch.Path("src\\表\\ソ\\c.txt"), file.strPath);

    SelectTab(0);
    HTREEITEM hItem = OpenPath(View()->GetFolderTree().GetTree(),
                               {"マイ コンピュータ", scratch.Root().Left(3).str(),
                                scratch.Root().Mid(3).str(), "src", "表"});
    ASSERT_NE(nullptr, hItem);
    View()->GetFolderTree().GetTree().SelectItem(hItem);
    CCounted tree;
    CountNextInfoWindow(tree);
    View()->SendMessage(WM_COMMAND, ID_TREE_ITEM_INFO);
    EXPECT_EQ(scratch.Path("src\\表"), tree.strPath);
    EXPECT_EQ(2, tree.nFiles);
    EXPECT_EQ(1, tree.nFolders);
}
