#include "ListCtrl.h"

int CListCtrl::InsertColumn(int nCol, const char* pszHeading, int nFormat, int nWidth) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | (nWidth >= 0 ? LVCF_WIDTH : 0);
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<char*>(pszHeading);
    column.iSubItem = nCol;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, const char* pszText, int nImage) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
    item.iItem = nItem;
    item.pszText = const_cast<char*>(pszText);
    item.iImage = nImage;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int nItem, int nSubItem, const char* pszText) {
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(pszText);
    return SendMessage(LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)) != 0;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    // LVM_GETITEMTEXT tells how much it copied, not how long the text is:
    // a result that fills the buffer may have been cut, so grow and ask again.
    CString str;
    for (int nSize = 256;; nSize *= 2) {
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.pszText = str.GetBuffer(nSize);
        item.cchTextMax = nSize;
        int nCopied =
            static_cast<int>(SendMessage(LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
        if (nCopied < nSize - 2 || nSize >= 0x100000) {
            str.ReleaseBuffer(-1);
            return str;
        }
    }
}

bool CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<DWORD_PTR>(item.lParam);
}

bool CListCtrl::SetItemImage(int nItem, int nImage) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iImage = nImage;
    return SetItem(item);
}

bool CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)) != 0;
}
