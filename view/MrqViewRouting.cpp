// Where the view's messages go. The events of a control go to the part
// that owns it, on whatever page: a hidden tree is filled and asked for its
// pictures too. The commands of the buttons the pages share (register,
// delete, clear, start, and the trees' menu) and the folders dropped on
// the view go to the page shown.
#include "MrqView.h"

#include "DropHandle.h"
#include "FileOps.h"
#include "MessageMap.h"
#include "PathText.h"
#include "ViewMessages.h"
#include "WinApp.h"
#include "resource.h"

const CMessageMap* CMrqView::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapMessage(WM_SIZE, &CMrqView::OnSize),
        MapMouse(WM_LBUTTONDOWN, &CMrqView::OnLButtonDown),
        MapMouse(WM_LBUTTONUP, &CMrqView::OnLButtonUp),
        MapMouse(WM_MOUSEMOVE, &CMrqView::OnMouseMove),
        MapNotify(IDC_TAB, TCN_SELCHANGE, &CMrqView::OnSelChangeTab),
        MapEvent(WM_DESTROY, &CMrqView::OnDestroy),
        MapCommand(IDC_REGISTER, &CMrqView::OnRegister),
        MapCommand(ID_TREE_REGISTER, &CMrqView::OnRegister),
        MapCommand(IDC_DELETE, &CMrqView::OnDelete),
        MapCommand(IDC_INIT_LIST, &CMrqView::OnClear),
        MapCommand(ID_LIST_INIT, &CMrqView::OnClear),
        MapCommand(IDC_START, &CMrqView::OnStart),
        MapCommand(ID_TREE_ITEM_INFO, &CMrqView::OnTreeItemInfo),
        MapMessage(WM_VSCROLL, &CMrqView::OnVScroll),
        MapMessage(WM_DROPFILES, &CMrqView::OnDropFiles),
    };
    static const CMessageMap s_map(CFormView::GetMessageMap(), kEntries);
    return &s_map;
}

CViewPage& CMrqView::PageOf(int nPage) {
    switch (nPage) {
    case PAGE_DESTINATION:
        return m_destination;
    case PAGE_RESTORE:
        return m_restore;
    case PAGE_SETTINGS:
        return m_settings;
    default:
        return m_sources;
    }
}

CViewPage& CMrqView::GetPageShown() {
    return PageOf(m_nPage);
}

std::array<CCmdTarget*, 5> CMrqView::GetParts() {
    return {&m_sources, &m_destination, &m_restore, &m_settings, &m_folders};
}

bool CMrqView::IsMainWindowDisabled() const {
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->m_pMainWnd && !pApp->m_pMainWnd->IsWindowEnabled();
}

bool CMrqView::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (IsMainWindowDisabled())
        return true;
    LRESULT lResult = 0;
    for (CCmdTarget* pPart : GetParts()) {
        if (pPart->HandleMessage(WM_COMMAND, wParam, lParam, &lResult))
            return true;
    }
    return CFormView::OnCommand(wParam, lParam);
}

bool CMrqView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    for (CCmdTarget* pPart : GetParts()) {
        if (pPart->HandleMessage(WM_NOTIFY, wParam, lParam, pResult))
            return true;
    }
    return CFormView::OnNotify(wParam, lParam, pResult);
}

bool CMrqView::OnCmdMsg(UINT nID, CCmdUI* pCmdUI, bool bCheckOnly) {
    // The context menus' commands come through the frame.
    for (CCmdTarget* pPart : GetParts()) {
        if (pPart->OnCmdMsg(nID, pCmdUI, bCheckOnly))
            return true;
    }
    return CFormView::OnCmdMsg(nID, pCmdUI, bCheckOnly);
}

LRESULT CMrqView::OnVScroll(WPARAM wParam, LPARAM lParam) {
    m_log.OnScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    return 0;
}

LRESULT CMrqView::OnDropFiles(WPARAM wParam, LPARAM) {
    CDropHandle drop(wParam);
    // Wine delivers drops to a disabled window. Under a modal dialog a
    // dropped folder would add a row the dialog's OK then writes into, and
    // a data file would free the entries the dialog or a run works on.
    if (IsMainWindowDisabled())
        return 0;
    UINT nCount = drop.GetCount();
    for (UINT i = 0; i < nCount; i++) {
        // A name the code page cannot hold would come as a look-alike (Café
        // as Cafe, another folder; a yen sign as a backslash); its text
        // holds "?" instead, and is refused.
        CString strShown;
        if (!drop.GetExactPath(i, strShown) && RefuseUnplainPath(*this, strShown))
            continue;
        // A path too long for the program's 260-byte paths is passed over
        // like a file: cut, it would name another folder.
        if (drop.GetPathLength(i) >= MAX_PATH)
            continue;
        char szPath[MAX_PATH];
        drop.GetPath(i, szPath, sizeof szPath);
        ResolveShortcut(szPath);
        if (HasListedExtension(szPath, "mrd")) {
            if (CWinApp* pApp = AfxGetApp())
                pApp->OpenDocumentFile(szPath);
            return 0;
        }
        if (GetPathKind(szPath) == PATH_FOLDER && !GetPageShown().OnDropFolder(szPath))
            return 0;
    }
    return 0;
}
