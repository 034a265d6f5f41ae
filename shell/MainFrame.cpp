#include "MainFrame.h"

#include "CmdUI.h"
#include "HelpFile.h"
#include "MrqDoc.h"
#include "Profile.h"
#include "Settings.h"
#include "ShellOpen.h"
#include "SystemRegistry.h"
#include "Time.h"
#include "WinApp.h"
#include "resource.h"

#ifndef ID_HELP_FINDER
#define ID_HELP_FINDER 57667
#endif
#ifndef ID_DEFAULT_HELP
#define ID_DEFAULT_HELP 57671
#endif

namespace {

const char kNeverBackedUp[] = "バックアップされてません";
const char kClockFormat[] = "%Y/%m/%d %H:%M:%S";

CProfile* AppProfile() {
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetProfile() : nullptr;
}

} // namespace

const CMessageMap* CMainFrame::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapUpdateCommandUI(ID_INDICATOR_LAST_BACKUP, &CMainFrame::OnUpdateLastBackup),
        MapUpdateCommandUI(ID_INDICATOR_CLOCK, &CMainFrame::OnUpdateClock),
        MapMessage(WM_COPYDATA, &CMainFrame::OnCopyData),
        MapMessage(WM_ENABLE, &CMainFrame::OnEnable),
        MapCommand(ID_HELP_FINDER, &CMainFrame::OnHelp),
        MapCommand(ID_DEFAULT_HELP, &CMainFrame::OnHelp),
        MapCommand(ID_HELP, &CMainFrame::OnHelp),
        MapCommand(ID_CONTEXT_HELP, &CMainFrame::OnHelp),
    };
    static const CMessageMap s_map(CFrameWnd::GetMessageMap(), kEntries);
    return &s_map;
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
    // Exactly this style: without the add-to-title bit the caption never
    // shows the data file's name.
    cs.style = WS_OVERLAPPEDWINDOW;
    CProfile noProfile("");
    CProfile* pProfile = AppProfile();
    RECT rc = LoadFramePlacement(pProfile ? *pProfile : noProfile);
    cs.x = rc.left;
    cs.y = rc.top;
    cs.cx = rc.right - rc.left;
    cs.cy = rc.bottom - rc.top;
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCTA* pCreateStruct) {
    if (CFrameWnd::OnCreate(pCreateStruct) != 0)
        return -1;
    if (!m_wndToolBar.Create(this, WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_VISIBLE, AFX_IDW_STATUS_BAR))
        return -1;
    UINT indicators[3] = {ID_SEPARATOR, 0, 0};
    if (!SetupStatusPanes(indicators, 1))
        return -1;
    SetMessageText(IDS_IDLE_MESSAGE);
    return 0;
}

bool CMainFrame::SetupStatusPanes(UINT* pIDs, int nIndex) {
    m_nLastBackupPane = nIndex;
    pIDs[nIndex] = ID_INDICATOR_LAST_BACKUP;
    m_nClockPane = nIndex + 1;
    pIDs[nIndex + 1] = ID_INDICATOR_CLOCK;
    // Never stopped: it ends with the status bar's window.
    m_wndStatusBar.SetTimer(ID_CLOCK_TIMER, CLOCK_PERIOD_MS);
    return m_wndStatusBar.SetIndicators(pIDs, nIndex + 2);
}

void CMainFrame::OnUpdateLastBackup(CCmdUI* pCmdUI) {
    CMrqDoc* pDoc = dynamic_cast<CMrqDoc*>(GetActiveDocument());
    if (!pDoc)
        return;
    CString strText =
        pDoc->m_strLastBackup.IsEmpty() ? CString(kNeverBackedUp) : pDoc->m_strLastBackup;
    // An unchanged text keeps the pane as it is, width and state included.
    if (strText == m_strLastBackupShown)
        return;
    m_strLastBackupShown = strText;
    ShowInPane(pCmdUI, m_nLastBackupPane, strText);
}

void CMainFrame::OnUpdateClock(CCmdUI* pCmdUI) {
    ShowInPane(pCmdUI, m_nClockPane, CTime::GetCurrentTime().Format(kClockFormat));
}

void CMainFrame::ShowInPane(CCmdUI* pCmdUI, int nIndex, const CString& strText) {
    UINT nID, nStyle;
    int cxWidth;
    m_wndStatusBar.GetPaneInfo(nIndex, nID, nStyle, cxWidth);
    m_wndStatusBar.SetPaneInfo(nIndex, nID, nStyle, m_wndStatusBar.GetTextWidth(strText));
    pCmdUI->SetText(strText);
    pCmdUI->Enable(true);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* pMinMaxInfo) {
    pMinMaxInfo->ptMinTrackSize.x = MAINFRAME_MIN_CX;
    pMinMaxInfo->ptMinTrackSize.y = MAINFRAME_MIN_CY;
    CFrameWnd::OnGetMinMaxInfo(pMinMaxInfo);
}

void CMainFrame::OnDestroy() {
    // The restored rectangle, so that a window closed maximised or
    // minimised reopens normal at its last normal place.
    WINDOWPLACEMENT placement = {};
    CProfile* pProfile = AppProfile();
    if (pProfile && GetWindowPlacement(&placement))
        SaveFramePlacement(*pProfile, placement.rcNormalPosition);
    CFrameWnd::OnDestroy();
}

bool CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!IsWindowEnabled())
        return true;
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::OnClose() {
    if (!IsWindowEnabled()) {
        m_bCloseWhenEnabled = true;
        return;
    }
    CFrameWnd::OnClose();
}

LRESULT CMainFrame::OnEnable(WPARAM wParam, LPARAM) {
    if (wParam && m_bCloseWhenEnabled) {
        m_bCloseWhenEnabled = false;
        PostMessage(WM_CLOSE);
    }
    return 0;
}

LRESULT CMainFrame::OnCopyData(WPARAM wParam, LPARAM lParam) {
    // A second start hands over its command line; the running window only
    // needs to be found, so the content is not used.
    return DefWindowProc(WM_COPYDATA, wParam, lParam);
}

void CMainFrame::OnHelp() {
    // Every help command opens the guide at its start: a page in a browser
    // has no help mode for a clicked item.
    CString strHelp = FindHelpFile(GetProgramPath());
    if (!strHelp.IsEmpty())
        AfxShellOpen(m_hWnd, strHelp);
}
