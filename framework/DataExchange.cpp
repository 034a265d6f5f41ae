#include "DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "AppText.h"
#include "MessageBox.h"
#include "Wnd.h"

namespace {

// Buttons that count in a radio group: the group may hold labels too.
bool IsRadioButton(HWND hWnd) {
    return (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// A whole decimal number with optional sign and surrounding blanks, in the
// range of int.
bool ParseInt(const char* psz, int* pnValue) {
    char* pszEnd = nullptr;
    errno = 0;
    long long nValue = std::strtoll(psz, &pszEnd, 10);
    if (pszEnd == psz || errno == ERANGE || nValue < INT_MIN || nValue > INT_MAX)
        return false;
    while (*pszEnd == ' ' || *pszEnd == '\t')
        ++pszEnd;
    if (*pszEnd != '\0')
        return false;
    *pnValue = static_cast<int>(nValue);
    return true;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    return m_hWndLastControl;
}

void CDataExchange::Fail(const char* pszMessage) {
    m_bFailed = true;
    ShowMessageBox(m_pDlgWnd->GetSafeHwnd(), pszMessage, AfxGetAppTitle(),
                   MB_OK | MB_ICONEXCLAMATION);
    if (!m_hWndLastControl)
        return;
    ::SetFocus(m_hWndLastControl);
    // The whole text selected, so typing replaces the refused value.
    ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    if (pDX->HasFailed())
        return;
    CWnd control(pDX->PrepareCtrl(nIDC));
    if (pDX->m_bSaveAndValidate)
        control.GetWindowText(value);
    else
        control.SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->HasFailed())
        return;
    CWnd control(pDX->PrepareCtrl(nIDC));
    if (!pDX->m_bSaveAndValidate) {
        CString str;
        str.Format("%d", value);
        control.SetWindowText(str);
        return;
    }
    if (!ParseInt(control.GetWindowText(), &value))
        pDX->Fail(AfxLoadString(AFX_IDP_PARSE_INT));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->HasFailed())
        return;
    CWnd button(pDX->PrepareCtrl(nIDC));
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(button.SendMessage(BM_GETCHECK));
    else
        button.SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    if (pDX->HasFailed())
        return;
    HWND hWndFirst = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nIndex = 0;
    // The group runs up to, not including, the next control with WS_GROUP.
    for (HWND hWnd = hWndFirst; hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hWndFirst && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        if (!IsRadioButton(hWnd))
            continue;
        if (!pDX->m_bSaveAndValidate)
            ::SendMessageA(hWnd, BM_SETCHECK, nIndex == value ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
            value = nIndex;
        ++nIndex;
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (!rControl.GetSafeHwnd())
        rControl.Attach(pDX->PrepareCtrl(nIDC));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->HasFailed())
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SendMessageA(pDX->GetLastControl(), EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString strHalfWidth, strFullWidth;
    strHalfWidth.Format("%d", nChars);
    strFullWidth.Format("%d", nChars / 2);
    pDX->Fail(AfxFormatString(AFX_IDP_PARSE_STRING_SIZE, strHalfWidth, strFullWidth));
}
