#include "ListBox.h"

bool CListBox::GetText(int nIndex, CString& rString) const {
    int nLength = static_cast<int>(SendMessage(LB_GETTEXTLEN, nIndex));
    if (nLength == LB_ERR) {
        rString.Empty();
        return false;
    }
    // LB_GETTEXTLEN may count more bytes than LB_GETTEXT copies, never fewer.
    int nCopied = static_cast<int>(
        SendMessage(LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(rString.GetBuffer(nLength + 1))));
    rString.ReleaseBuffer(nCopied == LB_ERR ? 0 : -1);
    return nCopied != LB_ERR;
}
