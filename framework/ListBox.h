// CListBox: a list of strings. Indices are 0-based; LB_ERR (-1) reports a
// bad index or "none".
#pragma once

#include "Wnd.h"

class CListBox : public CWnd {
public:
    using CWnd::CWnd;

    // Returns the new item's index (sorted boxes place it), or LB_ERR/LB_ERRSPACE.
    int AddString(const char* pszItem) {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszItem)));
    }
    int InsertString(int nIndex, const char* pszItem) {
        return static_cast<int>(
            SendMessage(LB_INSERTSTRING, nIndex, reinterpret_cast<LPARAM>(pszItem)));
    }
    // Returns the count of items left, or LB_ERR.
    int DeleteString(int nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    // The item's text; false (and an empty string) for a bad index.
    bool GetText(int nIndex, CString& rString) const;
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    // -1 clears the selection.
    bool SetCurSel(int nIndex) { return SendMessage(LB_SETCURSEL, nIndex) != LB_ERR || nIndex < 0; }
    // The index of the item equal to pszItem, searching after nStartAfter
    // (-1: from the top) and wrapping round. The system compares without
    // regard to case.
    int FindStringExact(int nStartAfter, const char* pszItem) const {
        return static_cast<int>(
            SendMessage(LB_FINDSTRINGEXACT, nStartAfter, reinterpret_cast<LPARAM>(pszItem)));
    }
};
