#include "ControlBar.h"

#include <commctrl.h>

#include "FrameWnd.h"

namespace {

// The common bars ignore dropped files; their frame releases them.
LRESULT CALLBACK BarSubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR nIDSubclass, DWORD_PTR) {
    if (nMsg == WM_DROPFILES)
        return ::SendMessageA(::GetParent(hWnd), nMsg, wParam, lParam);
    if (nMsg == WM_NCDESTROY)
        ::RemoveWindowSubclass(hWnd, BarSubclassProc, nIDSubclass);
    return ::DefSubclassProc(hWnd, nMsg, wParam, lParam);
}

} // namespace

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
    ::SetWindowSubclass(hWnd, BarSubclassProc, 0, 0);
    m_pFrame = pFrame;
    pFrame->AddControlBar(this);
    return true;
}

CControlBar::~CControlBar() {
    if (m_pFrame)
        m_pFrame->RemoveControlBar(this);
}
