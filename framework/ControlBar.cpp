#include "ControlBar.h"

#include <commctrl.h>

#include "FrameWnd.h"

bool CControlBar::CreateBar(CFrameWnd* pFrame, const char* pszClass, DWORD dwStyle, UINT nID) {
    static const bool s_bInit = [] {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&icc) != 0;
    }();
    if (!s_bInit || m_hWnd || !pFrame)
        return false;
    HWND hWnd = ::CreateWindowExA(0, pszClass, nullptr, dwStyle | WS_CHILD, 0, 0, 0, 0,
                                  pFrame->GetSafeHwnd(), reinterpret_cast<HMENU>(UINT_PTR{nID}),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (!hWnd)
        return false;
    Attach(hWnd);
    m_pFrame = pFrame;
    pFrame->AddControlBar(this);
    return true;
}

CControlBar::~CControlBar() {
    if (m_pFrame)
        m_pFrame->RemoveControlBar(this);
}
