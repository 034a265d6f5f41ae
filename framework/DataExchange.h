// Dialog data exchange: a dialog's members are its state, the controls only
// show it. A dialog lists its pairs once, in DoDataExchange:
//
//     void CEntryDlg::DoDataExchange(CDataExchange* pDX) {
//         DDX_Text(pDX, IDC_NAME, m_strName);
//         DDV_MaxChars(pDX, m_strName, 64);
//         DDX_Check(pDX, IDC_SUBFOLDERS, m_nSubfolders);
//     }
//
// and the same list serves both directions. When a value fails (a number
// that does not parse, a text too long), the user is told through the
// message-box seam, the focus goes to the control, and every later call of
// the same exchange does nothing.
#pragma once

#include "String.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, bool bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control the next check refers to; null when the dialog lacks it.
    HWND PrepareCtrl(int nIDC);
    HWND GetLastControl() const { return m_hWndLastControl; }
    // Reports a failed value and stops the exchange.
    void Fail(const char* pszMessage);
    bool HasFailed() const { return m_bFailed; }

    const bool m_bSaveAndValidate; // true: controls to members
    CWnd* const m_pDlgWnd;

private:
    HWND m_hWndLastControl = nullptr;
    bool m_bFailed = false;
};

// Window text of any control (edits, labels) <-> a string.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Window text <-> a decimal int. Saving refuses text that is not a whole
// number in the range of int.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// A check box <-> 0 (clear), 1 (checked) or 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A group of radio buttons, starting at nIDC (the button with WS_GROUP) up
// to the next WS_GROUP <-> the index of the checked button, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Attaches the control to a wrapper once, so handlers reach it by member.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Refuses a string longer than nChars bytes (half-width characters) for the
// control of the preceding DDX_Text; when loading, limits an edit control.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
