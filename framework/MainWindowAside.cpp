#include "MainWindowAside.h"

#include "WinApp.h"
#include "Wnd.h"

CMainWindowAside::CMainWindowAside(bool bAside) {
    CWinApp* pApp = AfxGetApp();
    m_pMainWnd = bAside && pApp ? pApp->m_pMainWnd : nullptr;
    if (m_pMainWnd)
        m_pMainWnd->ShowWindow(SW_SHOWMINNOACTIVE);
}

CMainWindowAside::~CMainWindowAside() {
    if (m_pMainWnd)
        m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
}
