#include "FrameWnd.h"

#include <algorithm>

#include <commctrl.h>

#include "AppText.h"
#include "CmdUI.h"
#include "ControlBar.h"
#include "DocTemplate.h"
#include "Document.h"
#include "DropHandle.h"
#include "FormView.h"
#include "StatusBar.h"
#include "WinApp.h"

namespace {

// Line nLine of string resource nID. A command's string is its status
// prompt, a line feed and its tool tip; a frame's starts with its title.
CString LoadLine(UINT nID, int nLine) {
    CString str = AfxLoadString(nID);
    int nStart = 0;
    for (int i = 0; i < nLine && nStart >= 0; ++i) {
        nStart = str.Find('\n', nStart);
        if (nStart >= 0)
            ++nStart;
    }
    if (nStart < 0)
        return CString();
    int nEnd = str.Find('\n', nStart);
    return nEnd < 0 ? str.Mid(nStart) : str.Mid(nStart, nEnd - nStart);
}

bool IsKeyMessage(UINT nMsg) {
    return nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST;
}

} // namespace

const CMessageMap* CFrameWnd::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapMessage(WM_CREATE, &CFrameWnd::HandleCreate),
        MapEvent(WM_CLOSE, &CFrameWnd::OnClose),
        MapEvent(WM_DESTROY, &CFrameWnd::OnDestroy),
        MapMessage(WM_SIZE, &CFrameWnd::HandleSize),
        MapMessage(WM_GETMINMAXINFO, &CFrameWnd::HandleGetMinMaxInfo),
        MapMessage(WM_INITMENUPOPUP, &CFrameWnd::HandleInitMenuPopup),
        MapMessage(WM_MENUSELECT, &CFrameWnd::HandleMenuSelect),
        MapMessage(WM_NOTIFY, &CFrameWnd::HandleNotify),
        MapMessage(WM_DROPFILES, &CFrameWnd::HandleDropFiles),
        MapCommand(ID_VIEW_TOOLBAR, &CFrameWnd::OnViewToolBar),
        MapCommand(ID_VIEW_STATUS_BAR, &CFrameWnd::OnViewStatusBar),
        MapUpdateCommandUI(ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateViewToolBar),
        MapUpdateCommandUI(ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateViewStatusBar),
    };
    static const CMessageMap s_map(CWnd::GetMessageMap(), kEntries);
    return &s_map;
}

bool CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    if (m_hWnd)
        return false;
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    m_nIDResource = nIDResource;
    m_strTitle = LoadLine(nIDResource, 0);
    if (m_strTitle.IsEmpty())
        m_strTitle = AfxGetAppTitle();

    CREATESTRUCTA cs = {};
    cs.style = dwDefaultStyle;
    cs.x = CW_USEDEFAULT;
    cs.y = CW_USEDEFAULT;
    cs.cx = 640;
    cs.cy = 480;
    cs.hwndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    cs.lpszName = m_strTitle;
    if (!PreCreateWindow(cs))
        return false;
    m_bAddToTitle = (cs.style & FWS_ADDTOTITLE) != 0;

    RECT rect = {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    m_pCreateContext = pContext;
    bool bCreated =
        CreateEx(cs.dwExStyle, cs.lpszName, cs.style & ~FWS_ADDTOTITLE, rect, cs.hwndParent, 0);
    m_pCreateContext = nullptr;
    if (!bCreated)
        return false;
    m_bAutoDelete = true;

    // Menus set on a window go with it.
    if (HMENU hMenu = ::LoadMenuA(hInstance, MAKEINTRESOURCEA(nIDResource)))
        ::SetMenu(m_hWnd, hMenu);
    m_hAccel = ::LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(nIDResource));
    if (HICON hIcon = ::LoadIconA(hInstance, MAKEINTRESOURCEA(nIDResource))) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    }
    RecalcLayout();
    return true;
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCTA&) {
    return true;
}

LRESULT CFrameWnd::HandleCreate(WPARAM, LPARAM lParam) {
    return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
}

int CFrameWnd::OnCreate(CREATESTRUCTA*) {
    if (m_pCreateContext && m_pCreateContext->m_newView && !CreateView(m_pCreateContext))
        return -1;
    return 0;
}

bool CFrameWnd::CreateView(CCreateContext* pContext) {
    CFormView* pView = pContext->m_newView();
    if (!pView)
        return false;
    // The view knows its document before its window exists.
    if (pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(pView);
    if (!pView->Create(this, AFX_IDW_PANE_FIRST)) {
        delete pView;
        return false;
    }
    m_pActiveView = pView;
    return true;
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, bool bMakeVisible) {
    if (m_pActiveView)
        m_pActiveView->OnInitialUpdate();
    OnUpdateFrameTitle();
    if (bMakeVisible && !m_bShown)
        ActivateFrame();
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (nCmdShow == -1) {
        // The first show of the main window takes the start-up show state.
        nCmdShow = SW_SHOW;
        if (pApp && pApp->m_pMainWnd == this && pApp->m_nCmdShow != -1) {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
    }
    m_bShown = true;
    ShowWindow(nCmdShow);
}

void CFrameWnd::OnUpdateFrameTitle() {
    CString strTitle = m_strTitle;
    CDocument* pDocument = GetActiveDocument();
    if (m_bAddToTitle && pDocument && !pDocument->GetTitle().IsEmpty())
        strTitle = pDocument->GetTitle() + " - " + m_strTitle;
    if (GetWindowText() != strTitle)
        SetWindowText(strTitle);
}

void CFrameWnd::RecalcLayout() {
    if (!m_hWnd)
        return;
    RECT rect;
    GetClientRect(&rect);
    for (CControlBar* pBar : m_controlBars) {
        if (!(pBar->GetStyle() & WS_VISIBLE))
            continue;
        int nHeight = pBar->CalcHeight();
        if (pBar->GetSide() == CControlBar::top)
            rect.top += nHeight;
        else
            rect.bottom -= nHeight;
    }
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    if (m_pActiveView && m_pActiveView->GetSafeHwnd())
        m_pActiveView->MoveWindow(rect);
}

LRESULT CFrameWnd::HandleSize(WPARAM wParam, LPARAM) {
    if (wParam != SIZE_MINIMIZED)
        RecalcLayout();
    return 0;
}

LRESULT CFrameWnd::HandleGetMinMaxInfo(WPARAM, LPARAM lParam) {
    OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
}

void CFrameWnd::OnGetMinMaxInfo(MINMAXINFO*) {}

LRESULT CFrameWnd::HandleInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    // The system menu has its own items.
    if (!HIWORD(lParam))
        UpdateMenuCmdUI(reinterpret_cast<HMENU>(wParam), this);
    return 0;
}

LRESULT CFrameWnd::HandleDropFiles(WPARAM wParam, LPARAM) {
    // A frame takes no files itself, but the memory of every drop that
    // reaches it (from its bars too) goes back to the system.
    CDropHandle drop(wParam);
    return 0;
}

LRESULT CFrameWnd::HandleMenuSelect(WPARAM wParam, LPARAM lParam) {
    UINT nFlags = HIWORD(wParam);
    if (nFlags == 0xFFFF && lParam == 0) {
        SetMessageText(AFX_IDS_IDLEMESSAGE); // the menu closed
    } else if (!(nFlags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU))) {
        SetMessageText(LOWORD(wParam));
    }
    return 0;
}

LRESULT CFrameWnd::HandleNotify(WPARAM wParam, LPARAM lParam) {
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    switch (pHeader->code) {
    case TTN_GETDISPINFOA:
        OnToolTipText(reinterpret_cast<NMTTDISPINFOA*>(lParam));
        return 0;
    case TBN_HOTITEMCHANGE:
        OnHotButtonChange(*reinterpret_cast<const NMTBHOTITEM*>(lParam));
        return 0; // the button may become hot
    default:
        return DefWindowProc(WM_NOTIFY, wParam, lParam);
    }
}

void CFrameWnd::OnToolTipText(NMTTDISPINFOA* pInfo) {
    // A bar's tool tips come here as their buttons' command ids. The
    // framework's windows are ANSI windows, so the bars ask in ANSI.
    if (pInfo->uFlags & TTF_IDISHWND)
        return;
    m_strToolTip = LoadLine(static_cast<UINT>(pInfo->hdr.idFrom), 1);
    pInfo->lpszText = const_cast<char*>(static_cast<const char*>(m_strToolTip));
}

void CFrameWnd::OnHotButtonChange(const NMTBHOTITEM& hot) {
    // The button under the mouse shows its prompt, as a menu item does;
    // leaving the bar brings the idle message back.
    if ((hot.dwFlags & HICF_LEAVING) || hot.idNew == ID_SEPARATOR)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
        SetMessageText(static_cast<UINT>(hot.idNew));
}

CStatusBar* CFrameWnd::GetStatusBar() const {
    return dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR));
}

void CFrameWnd::SetMessageText(const char* pszText) {
    if (CStatusBar* pStatusBar = GetStatusBar())
        pStatusBar->SetPaneText(0, pszText);
}

void CFrameWnd::SetMessageText(UINT nID) {
    SetMessageText(LoadLine(nID, 0));
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (!m_hWnd)
        return;
    for (CControlBar* pBar : m_controlBars) {
        if (pBar->GetStyle() & WS_VISIBLE)
            pBar->OnUpdateCmdUI(this);
    }
    if (HMENU hMenu = ::GetMenu(m_hWnd))
        UpdateMenuCmdUI(hMenu, this);
    OnUpdateFrameTitle();
}

bool CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (!m_hWnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return false;
    if (IsKeyMessage(pMsg->message) && m_hAccel && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg))
        return true;
    return m_pActiveView && m_pActiveView->PreTranslateMessage(pMsg);
}

bool CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Notifications of the frame's own controls go through its map as
    // usual; menus (no window) and bars (the buttons) send commands.
    HWND hWndFrom = reinterpret_cast<HWND>(lParam);
    if (hWndFrom) {
        bool bFromBar =
            std::any_of(m_controlBars.begin(), m_controlBars.end(),
                        [hWndFrom](CControlBar* p) { return p->GetSafeHwnd() == hWndFrom; });
        if (!bFromBar)
            return false;
    }
    UINT nID = LOWORD(wParam);
    CCmdUI state(nID);
    state.DoUpdate(this, false);
    if (state.m_bEnableChanged && !state.m_bEnabled)
        return true; // a disabled command does nothing
    return OnCmdMsg(nID, nullptr);
}

bool CFrameWnd::OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly) {
    if (m_pActiveView && m_pActiveView->OnCmdMsg(nID, pCmdUI, bCheckOnly))
        return true;
    if (CWnd::OnCmdMsg(nID, pCmdUI, bCheckOnly))
        return true;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, pCmdUI, bCheckOnly);
}

void CFrameWnd::OnClose() {
    CDocument* pDocument = GetActiveDocument();
    CSingleDocTemplate* pTemplate = pDocument ? pDocument->GetDocTemplate() : nullptr;
    if (pTemplate && !pTemplate->SaveModified())
        return;
    if (pTemplate && pTemplate->GetFrame() == this)
        pTemplate->CloseDocument(); // the frame goes with its document
    else
        DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    // The view goes with the children; nothing may reach it from now on.
    m_pActiveView = nullptr;
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    if (m_bAutoDelete)
        delete this;
}

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    if (std::find(m_controlBars.begin(), m_controlBars.end(), pBar) == m_controlBars.end())
        m_controlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    m_controlBars.erase(std::remove(m_controlBars.begin(), m_controlBars.end(), pBar),
                        m_controlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const {
    for (CControlBar* pBar : m_controlBars) {
        if (pBar->GetSafeHwnd() && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ToggleBar(UINT nID) {
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar)
        return;
    pBar->ShowWindow((pBar->GetStyle() & WS_VISIBLE) ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void CFrameWnd::UpdateBarCheck(CCmdUI* pCmdUI, UINT nID) {
    CControlBar* pBar = GetControlBar(nID);
    pCmdUI->Enable(pBar != nullptr);
    pCmdUI->SetCheck(pBar && (pBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
}
