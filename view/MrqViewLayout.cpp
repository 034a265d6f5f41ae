// Placement of the view's controls, the splitter between the folder trees
// and the lists, and the tab pages.
#include "MrqView.h"

#include "resource.h"

namespace {

// The narrowest trees, and the room the lists keep on the right.
const int MIN_TREE_WIDTH = 4;
const int LIST_RESERVE = 79;
// The drag line stays this far inside the view.
const int DRAG_LEFT_LIMIT = 7;
const int DRAG_RIGHT_MARGIN = 8;

struct CTabPage {
    const char* pszTitle;
    int nPage;
};
const CTabPage kTabs[] = {
    {"バックアップ元", PAGE_SOURCES},
    {"バックアップ先", PAGE_DESTINATION},
    {"復 元", PAGE_RESTORE},
    {"設 定", PAGE_SETTINGS},
};

} // namespace

LRESULT CMrqView::OnSize(WPARAM, LPARAM) {
    // WM_SIZE comes once before the controls exist.
    if (!m_tab.GetSafeHwnd())
        return 0;
    RECT rc;
    GetWindowRect(&rc);
    m_nViewWidth = rc.right - rc.left - 5;
    m_nViewHeight = rc.bottom - rc.top - 5;
    Invalidate(true);
    m_tab.MoveWindow(0, 0, m_nViewWidth, m_nViewHeight);
    m_fileName.MoveWindow(310, 2, m_nViewWidth - 310, 15);
    Layout();
    return 0;
}

void CMrqView::Layout() {
    const int W = m_nViewWidth;
    const int H = m_nViewHeight;
    // On a very narrow view the right-hand limit wins.
    if (m_nTreeWidth < MIN_TREE_WIDTH)
        m_nTreeWidth = MIN_TREE_WIDTH;
    if (m_nTreeWidth > W - LIST_RESERVE)
        m_nTreeWidth = W - LIST_RESERVE;
    const int T = m_nTreeWidth;

    auto move = [this](int nID, int x, int y, int cx, int cy) {
        CWnd(GetDlgItem(nID)).MoveWindow(x, y, cx, cy);
    };
    move(IDC_FOLDER_TREE, 5, 70, T, H - 120);
    move(IDC_SYNC_TREE, 5, 70, T, H - 120);
    move(IDC_SOURCE_LIST, T + 70, 70, W - T - 75, H - 120);
    move(IDC_RESTORE_LIST, T + 70, 70, W - T - 75, H - 120);
    move(IDC_DESTINATION, T + 70, 75, W - T - 75, 20);
    move(IDC_FREE_SPACE, T + 70, 105, W - T - 75, 12);
    m_splitter.SetBar({T + 7, 70, T + 12, H - 50});
    m_splitter.SetDragRange(DRAG_LEFT_LIMIT, W - DRAG_RIGHT_MARGIN);
    move(IDC_SPLITTER, T + 7, 70, 5, H - 120);
    move(IDC_REGISTER, T + 15, 75, 50, 20);
    move(IDC_DELETE, T + 15, 125, 50, 20);
    move(IDC_INIT_LIST, T + 15, 175, 50, 20);
    move(IDC_START, W - 80, 40, 70, 20);
    move(IDC_LOG_TEXT, 7, H - 43, W - 32, 36);
    move(IDC_LOG_FRAME, 3, H - 47, W - 6, 43);
    move(IDC_LOG_SCROLL, W - 22, H - 43, 16, 36);
}

void CMrqView::OnLButtonDown(UINT, POINT point) {
    m_splitter.OnButtonDown(point);
}

void CMrqView::OnMouseMove(UINT, POINT point) {
    m_splitter.OnMouseMove(point);
}

void CMrqView::OnLButtonUp(UINT, POINT point) {
    int nMoved = 0;
    if (m_splitter.OnButtonUp(point, &nMoved)) {
        // Layout applies the limits to the width the release gives.
        m_nTreeWidth += nMoved;
        Layout();
    }
}

void CMrqView::InsertTabs() {
    for (int i = 0; i < static_cast<int>(sizeof kTabs / sizeof kTabs[0]); i++) {
        m_tab.InsertItem(i, kTabs[i].pszTitle);
        m_tab.SetItemData(i, kTabs[i].nPage);
        if (i == 0) {
            m_nPage = PAGE_SOURCES;
            ShowPage(PAGE_SOURCES, SW_SHOW);
        }
    }
}

void CMrqView::OnSelChangeTab(NMHDR*, LRESULT* pResult) {
    int nNewPage = static_cast<int>(m_tab.GetItemData(m_tab.GetCurSel()));
    ShowPage(m_nPage, SW_HIDE);
    ShowPage(nNewPage, SW_SHOW);
    m_nPage = nNewPage;
    m_splitter.Enable(GetPageShown().HasLogAndSplitter());
    *pResult = 0;
}

void CMrqView::ShowPage(int nPage, int nCmdShow) {
    CViewPage& page = PageOf(nPage);
    page.ShowControls(nCmdShow);
    // The log panel follows its check box at each change of page.
    if (page.HasLogAndSplitter() && m_settings.IsLogShown())
        m_log.Show(nCmdShow);
}
