#include "TopWindows.h"

const char* const DIALOG_CLASS = "#32770";

namespace {

// A hung window must not hang the test: text requests give up after this.
const UINT SEND_TIMEOUT_MS = 5000;

struct CTopWindowSearch {
    DWORD dwProcessId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleTopWindow(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<CTopWindowSearch*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    bool bOfProcess = pSearch->dwProcessId == 0 || dwProcessId == pSearch->dwProcessId;
    if (bOfProcess && ::IsWindowVisible(hWnd))
        pSearch->found.push_back(hWnd);
    return TRUE;
}

struct CDescendantSearch {
    int nID;
    HWND hFound;
};

BOOL CALLBACK StopAtControlId(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<CDescendantSearch*>(lParam);
    if (::GetDlgCtrlID(hWnd) != pSearch->nID)
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

} // namespace

bool WaitUntil(const std::function<bool()>& bCondition, DWORD dwTimeoutMs) {
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        if (bCondition())
            return true;
        if (::GetTickCount() - dwStart >= dwTimeoutMs)
            return false;
        ::Sleep(POLL_STEP_MS);
    }
}

std::string WindowText(HWND hWnd) {
    // WM_GETTEXT rather than GetWindowTextA: for a control of another
    // process only the message reaches the text the control keeps.
    DWORD_PTR nLength = 0;
    if (!::SendMessageTimeoutA(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                               &nLength))
        return "<no answer>";
    std::string text(nLength + 1, '\0');
    DWORD_PTR nCopied = 0;
    if (!::SendMessageTimeoutA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                               SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &nCopied))
        return "<no answer>";
    text.resize(nCopied);
    return text;
}

std::string WindowClass(HWND hWnd) {
    char szClass[256] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}

std::vector<HWND> VisibleTopWindows(DWORD dwProcessId) {
    CTopWindowSearch search = {dwProcessId, {}};
    ::EnumWindows(CollectVisibleTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(DWORD dwProcessId, const char* pszTitle, bool bDialog) {
    for (HWND hWnd : VisibleTopWindows(dwProcessId)) {
        if ((WindowClass(hWnd) == DIALOG_CLASS) == bDialog && WindowText(hWnd) == pszTitle)
            return hWnd;
    }
    return nullptr;
}

HWND FindDescendant(HWND hParent, int nID) {
    CDescendantSearch search = {nID, nullptr};
    ::EnumChildWindows(hParent, StopAtControlId, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

bool PressButton(HWND hDialog, int nID) {
    HWND hButton = ::GetDlgItem(hDialog, nID);
    return ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                          reinterpret_cast<LPARAM>(hButton)) != 0;
}

RECT WindowRect(HWND hWnd) {
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

SIZE WindowSize(HWND hWnd) {
    RECT rc = WindowRect(hWnd);
    return {rc.right - rc.left, rc.bottom - rc.top};
}
