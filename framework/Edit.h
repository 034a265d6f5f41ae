// CEdit: single- and multi-line edit controls.
#pragma once

#include "Wnd.h"

class CEdit : public CWnd {
public:
    using CWnd::CWnd;

    // The most text the user can enter; 0 restores the control's default.
    void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    // Selects from nStart up to nEnd; (0, -1) selects all.
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, nStart, nEnd); }
    void ReplaceSel(const char* pszText) {
        SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pszText));
    }
    void ScrollCaret() { SendMessage(EM_SCROLLCARET); }
    // True once the user (or ReplaceSel) changed the text since it was set.
    bool GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
    bool SetReadOnly(bool bReadOnly = true) { return SendMessage(EM_SETREADONLY, bReadOnly) != 0; }
};
