// The main view's pages, splitter and document updates, driven through
// the real controls of a hidden frame.
#include "ViewHarness.h"

#include "DocTestSupport.h"
#include "LogBuffer.h"
#include "SizeText.h"

#include <algorithm>
#include <string>

namespace {

const std::set<int> kAlwaysShown = {IDC_TAB, IDC_FILE_NAME};
const std::set<int> kSourcePage = {IDC_REGISTER, IDC_DELETE,      IDC_INIT_LIST,  IDC_START,
                                   IDC_SPLITTER, IDC_FOLDER_TREE, IDC_SOURCE_LIST};
const std::set<int> kDestinationPage = {IDC_REGISTER, IDC_START,       IDC_DESTINATION,
                                        IDC_SPLITTER, IDC_FOLDER_TREE, IDC_FREE_SPACE};
const std::set<int> kRestorePage = {IDC_REGISTER, IDC_DELETE,    IDC_INIT_LIST,   IDC_START,
                                    IDC_SPLITTER, IDC_SYNC_TREE, IDC_RESTORE_LIST};
const std::set<int> kSettingsPage = {IDC_START_BACKUP,  IDC_START_BACKUP_EXIT, IDC_DATAFILE_GROUP,
                                     IDC_NOCOPY_ADD,    IDC_NOCOPY_REMOVE,     IDC_NOCOPY_GROUP,
                                     IDC_NOCOPY_LIST,   IDC_OPTIONS_GROUP,     IDC_LOG_VIEW,
                                     IDC_EXTENDED,      IDC_EXTENDED_TAB,      IDC_LOG_FILE,
                                     IDC_OPEN_LOG,      IDC_CHECK_SPACE,       IDC_EXTENDED_GROUP,
                                     IDC_REMOVAL_GROUP, IDC_KEEP_DELETED,      IDC_REMOVAL_GUARD};
const std::set<int> kLogGroup = {IDC_LOG_TEXT, IDC_LOG_FRAME, IDC_LOG_SCROLL};

std::string Text(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
           "," + std::to_string(rc.bottom);
}

std::set<int> Join(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

CString TabText(CTabCtrl& tab, int nIndex, LPARAM* plParam) {
    char sz[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = sz;
    item.cchTextMax = sizeof sz;
    tab.SendMessage(TCM_GETITEMA, nIndex, reinterpret_cast<LPARAM>(&item));
    *plParam = item.lParam;
    return sz;
}

class MrqViewPagesTest : public CMrqViewTest {
protected:
    // Gives the view a known size: W and H become cx - 5 and cy - 5.
    void SizeView(int cx, int cy) { View()->MoveWindow(0, 0, cx, cy); }
    RECT ControlRect(int nID) const {
        RECT rc;
        ::GetWindowRect(Control(nID), &rc);
        ::MapWindowPoints(nullptr, View()->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    LRESULT Mouse(UINT nMsg, int x, int y) {
        return View()->SendMessage(nMsg, MK_LBUTTON, MAKELPARAM(x, y));
    }
};

TEST_F(MrqViewPagesTest, TabsCarryTheirPagesAndTheSourcePageShowsFirst) {
    Start();
    CTabCtrl tab(Control(IDC_TAB));
    ASSERT_EQ(4, tab.GetItemCount());
    const char* kTitles[] = {"バックアップ元", "バックアップ先", "復 元", "設 定"};
    for (int i = 0; i < 4; i++) {
        LPARAM lParam = 0;
        EXPECT_EQ(CString(kTitles[i]), TabText(tab, i, &lParam));
        EXPECT_EQ(i + 1, lParam);
    }
    EXPECT_EQ(PAGE_SOURCES, View()->GetPage());
    EXPECT_EQ(Join(kAlwaysShown, kSourcePage), ShownControls());
}

TEST_F(MrqViewPagesTest, OneImageListOfFifteenPicturesServesTreesAndLists) {
    Start();
    CMrqView* pView = View();
    HIMAGELIST hImages = pView->GetImages().GetSafeHandle();
    ASSERT_NE(nullptr, hImages);
    EXPECT_EQ(15, ImageList_GetImageCount(hImages));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(hImages, &cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);
    EXPECT_EQ(hImages, SourceList().GetImageList(LVSIL_SMALL));
    EXPECT_EQ(hImages, RestoreList().GetImageList(LVSIL_SMALL));
    EXPECT_EQ(hImages, reinterpret_cast<HIMAGELIST>(pView->GetFolderTree().GetTree().SendMessage(
                           TVM_GETIMAGELIST, TVSIL_NORMAL)));
    EXPECT_EQ(hImages,
              reinterpret_cast<HIMAGELIST>(pView->GetRestorePage().GetSyncTree().SendMessage(
                  TVM_GETIMAGELIST, TVSIL_NORMAL)));
    EXPECT_FALSE(pView->GetImages().IsBusy());
}

TEST_F(MrqViewPagesTest, EachPageShowsExactlyItsControlsWithoutTheLog) {
    Start();
    SelectTab(1);
    EXPECT_EQ(PAGE_DESTINATION, View()->GetPage());
    EXPECT_EQ(Join(kAlwaysShown, kDestinationPage), ShownControls());
    SelectTab(2);
    EXPECT_EQ(Join(kAlwaysShown, kRestorePage), ShownControls());
    SelectTab(3);
    EXPECT_EQ(PAGE_SETTINGS, View()->GetPage());
    EXPECT_EQ(Join(kAlwaysShown, kSettingsPage), ShownControls());
    SelectTab(0);
    EXPECT_EQ(Join(kAlwaysShown, kSourcePage), ShownControls());
}

TEST_F(MrqViewPagesTest, LogGroupFollowsPagesOneToThreeWhileItsBoxIsChecked) {
    Profile()->WriteProfileInt("Settings\\Button", "LogView", 1);
    Start();
    EXPECT_EQ(Join(Join(kAlwaysShown, kSourcePage), kLogGroup), ShownControls());
    SelectTab(2);
    EXPECT_EQ(Join(Join(kAlwaysShown, kRestorePage), kLogGroup), ShownControls());
    SelectTab(3);
    EXPECT_EQ(Join(kAlwaysShown, kSettingsPage), ShownControls());

    // Cleared on the settings page: the next page comes without the log.
    Click(IDC_LOG_VIEW);
    SelectTab(1);
    EXPECT_EQ(Join(kAlwaysShown, kDestinationPage), ShownControls());

    // Checked again: nothing changes until the page changes.
    SelectTab(3);
    Click(IDC_LOG_VIEW);
    EXPECT_FALSE(Shown(IDC_LOG_TEXT));
    SelectTab(0);
    EXPECT_EQ(Join(Join(kAlwaysShown, kSourcePage), kLogGroup), ShownControls());
}

TEST_F(MrqViewPagesTest, LayoutPlacesTheControlsAroundTheTreeWidth) {
    Start();
    SizeView(605, 405);
    CMrqView* pView = View();
    // The tab control covers the view less 5 pixels each way.
    EXPECT_EQ(Text(RECT{0, 0, 600, 400}), Text(ControlRect(IDC_TAB)));
    const int T = pView->GetTreeWidth();
    EXPECT_EQ(150, T); // no stored "tcx"
    RECT rc = ControlRect(IDC_FOLDER_TREE);
    EXPECT_EQ(Text(RECT{5, 70, 5 + T, 350}), Text(rc));
    rc = ControlRect(IDC_SOURCE_LIST);
    EXPECT_EQ(Text(RECT{T + 70, 70, 595, 350}), Text(rc));
    rc = ControlRect(IDC_DESTINATION);
    EXPECT_EQ(Text(RECT{T + 70, 75, 595, 95}), Text(rc));
    EXPECT_EQ(Text(RECT{T + 7, 70, T + 12, 350}), Text(pView->GetSplitter().GetBar()));
    rc = ControlRect(IDC_START);
    EXPECT_EQ(Text(RECT{520, 40, 590, 60}), Text(rc));
    rc = ControlRect(IDC_LOG_SCROLL);
    EXPECT_EQ(Text(RECT{578, 357, 594, 393}), Text(rc));
    rc = ControlRect(IDC_FILE_NAME);
    EXPECT_EQ(Text(RECT{310, 2, 600, 17}), Text(rc));
}

TEST_F(MrqViewPagesTest, StoredTreeWidthIsHeldInsideTheView) {
    struct Case {
        int nStored;
        int nExpected;
    } cases[] = {{0, 4}, {-40, 4}, {4, 4}, {200, 200}, {521, 521}, {522, 521}, {100000, 521}};
    for (const Case& c : cases) {
        Profile()->WriteProfileInt("Settings\\Window", "tcx", c.nStored);
        Start();
        SizeView(605, 405);
        EXPECT_EQ(c.nExpected, View()->GetTreeWidth()) << "stored " << c.nStored;
        RECT rc = ControlRect(IDC_FOLDER_TREE);
        EXPECT_EQ(c.nExpected, rc.right - rc.left) << "stored " << c.nStored;
        Close();
    }
}

TEST_F(MrqViewPagesTest, OnAVeryNarrowViewTheRightLimitWins) {
    Start();
    SizeView(65, 300); // W = 60: 60 - 79 < 4
    EXPECT_EQ(-19, View()->GetTreeWidth());
}

TEST_F(MrqViewPagesTest, DragMovesTheSplitterByTheReleasePoint) {
    Start();
    SizeView(605, 405);
    CMrqView* pView = View();
    int x = pView->GetTreeWidth() + 9; // inside the bar
    Mouse(WM_LBUTTONDOWN, x, 100);
    EXPECT_TRUE(pView->GetSplitter().IsDragging());
    Mouse(WM_MOUSEMOVE, x - 60, 120);
    EXPECT_EQ(x - 60, pView->GetSplitter().GetDragX());
    Mouse(WM_LBUTTONUP, x - 60, 120);
    EXPECT_FALSE(pView->GetSplitter().IsDragging());
    EXPECT_EQ(90, pView->GetTreeWidth());
    EXPECT_EQ(90, ControlRect(IDC_FOLDER_TREE).right - 5);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(MrqViewPagesTest, DragPastTheEdgesIsClampedWhileMovingAndLimitedAfter) {
    Start();
    SizeView(605, 405);
    CMrqView* pView = View();
    Mouse(WM_LBUTTONDOWN, 159, 200);
    Mouse(WM_MOUSEMOVE, 900, 200);
    EXPECT_EQ(592, pView->GetSplitter().GetDragX()); // W - 8
    Mouse(WM_LBUTTONUP, 900, 200);
    EXPECT_EQ(521, pView->GetTreeWidth()); // W - 79

    Mouse(WM_LBUTTONDOWN, 530, 200);
    Mouse(WM_MOUSEMOVE, -50, 200);
    EXPECT_EQ(7, pView->GetSplitter().GetDragX());
    Mouse(WM_LBUTTONUP, -50, 200);
    EXPECT_EQ(4, pView->GetTreeWidth());
}

TEST_F(MrqViewPagesTest, NoDragOutsideTheBarOrOnTheSettingsPage) {
    Start();
    SizeView(605, 405);
    CMrqView* pView = View();
    Mouse(WM_LBUTTONDOWN, 300, 200); // over the list area
    EXPECT_FALSE(pView->GetSplitter().IsDragging());
    Mouse(WM_LBUTTONDOWN, 159, 360); // below the bar's bottom
    EXPECT_FALSE(pView->GetSplitter().IsDragging());
    SelectTab(3);
    Mouse(WM_LBUTTONDOWN, 159, 200);
    EXPECT_FALSE(pView->GetSplitter().IsDragging());
    Mouse(WM_LBUTTONUP, 400, 200);
    EXPECT_EQ(150, pView->GetTreeWidth());
}

TEST_F(MrqViewPagesTest, StartLogShowsOnlyTheOpeningLine) {
    Start();
    EXPECT_EQ(CString("New DataFile"), ControlText(IDC_FILE_NAME));
    EXPECT_EQ(1, LogBuffer().m_nLines);
    EXPECT_EQ(CString("mrq BackupTool LogView\n"), ControlText(IDC_LOG_TEXT));
    EXPECT_EQ(CString("空き容量 : ") + FormatFreeSpace(""), ControlText(IDC_FREE_SPACE));
}

TEST_F(MrqViewPagesTest, OpeningNewAndReopeningLogTheFileNameOnlyWhenItChanges) {
    Start();
    CString strFile = TestDataPath("two_sources.mrd");
    ASSERT_NE(nullptr, m_pApp->OpenDocumentFile(strFile));
    const CString& strPath = Doc()->GetPathName();
    EXPECT_EQ(strPath, ControlText(IDC_FILE_NAME));
    EXPECT_EQ(CString("mrq BackupTool LogView\nデータファイル ") + strPath +
                  " を読み込みました。\n",
              LogBuffer().m_strText);

    ASSERT_NE(nullptr, m_pApp->OpenDocumentFile(strFile));
    EXPECT_EQ(2, LogBuffer().m_nLines);

    m_pApp->OnFileNew();
    EXPECT_EQ(CString("New DataFile"), ControlText(IDC_FILE_NAME));
    EXPECT_EQ(3, LogBuffer().m_nLines);
    EXPECT_TRUE(LogBuffer().m_strText.Find("データファイルを初期化しました。\n") > 0);
    // An empty path never equals the label: a second new set logs again.
    m_pApp->OnFileNew();
    EXPECT_EQ(4, LogBuffer().m_nLines);
}

TEST_F(MrqViewPagesTest, LoadedSetFillsTheListAndTheBoxUnmodified) {
    Start();
    CString strFile = TestDataPath("japanese.mrd");
    ASSERT_NE(nullptr, m_pApp->OpenDocumentFile(strFile));
    EXPECT_EQ(CString("F:\\バックアップ\\表"), ControlText(IDC_DESTINATION));
    EXPECT_EQ(CString("F:\\バックアップ\\表"), Doc()->m_strDestination);
    std::vector<std::string> expected = {
        "D:\\能\\十||99|する",
        "D:\\資料\\表|見積書と請求書のソース|5|する",
        "E:\\十|能力|0|しない",
    };
    std::vector<std::string> rows = SourceRows();
    std::sort(rows.begin(), rows.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, rows);
    EXPECT_FALSE(Doc()->IsModified());
    for (int i = 0; i < SourceList().GetItemCount(); i++) {
        auto* pEntry = reinterpret_cast<CBackupSource*>(SourceList().GetItemData(i));
        EXPECT_EQ(CString(SourceList().GetItemText(i, 0)), pEntry->m_strFolder);
    }

    // A new set empties the list and the box, and the document with them.
    m_pApp->OnFileNew();
    EXPECT_EQ(0, SourceList().GetItemCount());
    EXPECT_EQ(CString(""), ControlText(IDC_DESTINATION));
    EXPECT_EQ(CString(""), Doc()->m_strDestination);
}

TEST_F(MrqViewPagesTest, LongNoteIsShownShortenedAtACharacterBoundary) {
    Start();
    auto* pEntry = new CBackupSource("D:\\data");
    // 23 two-byte characters and one more: 48 bytes, one too many.
    CString strNote;
    for (int i = 0; i < 24; i++)
        strNote += "表";
    pEntry->m_strNote = strNote;
    Doc()->m_sources.AddTail(pEntry);
    View()->OnInitialUpdate();
    ASSERT_EQ(1, SourceList().GetItemCount());
    CString strShown = SourceList().GetItemText(0, 1);
    EXPECT_EQ(46, strShown.GetLength());
    EXPECT_EQ(strNote.Left(46), strShown);
    EXPECT_EQ(strNote, pEntry->m_strNote); // the document keeps it whole
}

} // namespace
