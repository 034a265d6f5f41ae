#include "ListBoxText.h"

#include "ListBox.h"

CString JoinListBoxItems(const CListBox& listBox, const char* pszSeparator) {
    CString strJoined;
    int nCount = listBox.GetCount();
    for (int i = 0; i < nCount; ++i) {
        CString strItem;
        listBox.GetText(i, strItem);
        if (i > 0)
            strJoined += pszSeparator;
        strJoined += strItem;
    }
    return strJoined;
}
