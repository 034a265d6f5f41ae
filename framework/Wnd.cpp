#include "Wnd.h"

#include "AppText.h"

namespace {

// The window property that leads from a handle to its object. A property
// rather than GWLP_USERDATA, so the same lookup serves dialogs (whose
// DWLP_USER belongs to the program) and any window class.
const char kObjectProp[] = "CWnd object";

// The window class: the program names it in its string table, as it names
// everything of its own; the framework's name serves a program that does
// not.
const CString& WindowClassName() {
    static const CString s_strName = [] {
        CString strName = AfxLoadString(AFX_IDS_WINDOW_CLASS);
        return strName.IsEmpty() ? CString("FrameworkWnd") : strName;
    }();
    return s_strName;
}

// The object a CreateEx call is creating, until WM_NCCREATE claims it:
// messages arrive before CreateWindowEx returns.
thread_local CWnd* t_pWndInit = nullptr;

} // namespace

CWnd::~CWnd() {
    RemovePermanent();
}

bool CWnd::Attach(HWND hWnd) {
    if (m_hWnd || !hWnd)
        return false;
    m_hWnd = hWnd;
    return true;
}

HWND CWnd::Detach() {
    RemovePermanent();
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kObjectProp)) : nullptr;
}

void CWnd::AttachPermanent(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kObjectProp, this);
}

void CWnd::RemovePermanent() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        ::RemovePropA(m_hWnd, kObjectProp);
}

bool CWnd::CreateEx(DWORD dwExStyle, const char* pszWindowName, DWORD dwStyle, const RECT& rect,
                    HWND hWndParent, UINT nID) {
    if (m_hWnd)
        return false;
    static const bool s_bRegistered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = WindowClassName();
        return ::RegisterClassA(&wc) != 0;
    }();
    if (!s_bRegistered)
        return false;
    // A child's menu argument is its id.
    HMENU hMenuOrID = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(UINT_PTR{nID}) : nullptr;
    t_pWndInit = this;
    HWND hWnd = ::CreateWindowExA(dwExStyle, WindowClassName(), pszWindowName, dwStyle, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                  hWndParent, hMenuOrID, ::GetModuleHandleA(nullptr), nullptr);
    t_pWndInit = nullptr;
    return hWnd != nullptr;
}

bool CWnd::DestroyWindow() {
    return m_hWnd && ::DestroyWindow(m_hWnd) != 0;
}

void CWnd::GetWindowText(CString& rString) const {
    int nLength = GetWindowTextLength();
    // GetWindowTextA may report more bytes than it copies, never fewer.
    ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLength + 1), nLength + 1);
    rString.ReleaseBuffer();
}

CString CWnd::GetWindowText() const {
    CString str;
    GetWindowText(str);
    return str;
}

CString CWnd::GetDlgItemText(int nID) const {
    CString str;
    HWND hWndItem = GetDlgItem(nID);
    if (hWndItem) {
        CWnd item(hWndItem);
        item.GetWindowText(str);
    }
    return str;
}

const CMessageMap* CWnd::GetMessageMap() const {
    static const CMessageMap s_map;
    return &s_map;
}

bool CWnd::OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    *pResult = 0;
    if (nMsg == WM_COMMAND && OnCommand(wParam, lParam))
        return true;
    if (nMsg == WM_NOTIFY && OnNotify(wParam, lParam, pResult))
        return true;
    const CMessageMapEntry* pEntry = FindEntry(nMsg, wParam, lParam);
    if (!pEntry)
        return false;
    *pResult = CallHandler(*pEntry, wParam, lParam);
    return true;
}

bool CWnd::OnCommand(WPARAM, LPARAM) {
    return false;
}

bool CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return false;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
}

bool CWnd::Dispatch(CWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    // An exception must not unwind through the system's frames between the
    // message loop and this procedure: the runtime would end the program.
    // A handler that throws counts as having handled its message.
    try {
        return pWnd->OnWndMsg(nMsg, wParam, lParam, pResult);
    } catch (...) {
        ::OutputDebugStringA("exception in a message handler\n");
        *pResult = 0;
        return true;
    }
}

void CWnd::OnFinalMessage(CWnd* pWnd) {
    pWnd->RemovePermanent();
    pWnd->m_hWnd = nullptr;
    try {
        pWnd->PostNcDestroy();
    } catch (...) {
        ::OutputDebugStringA("exception in PostNcDestroy\n");
    }
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd && t_pWndInit) {
        pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->AttachPermanent(hWnd);
    }
    if (!pWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);

    LRESULT lResult = 0;
    if (!Dispatch(pWnd, nMsg, wParam, lParam, &lResult)) {
        try {
            lResult = pWnd->DefWindowProc(nMsg, wParam, lParam);
        } catch (...) {
            lResult = 0;
        }
    }
    if (nMsg == WM_NCDESTROY)
        OnFinalMessage(pWnd);
    return lResult;
}
