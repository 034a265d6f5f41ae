#include "TabCtrl.h"

int CTabCtrl::InsertItem(int nItem, const char* pszText, int nImage) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT | (nImage >= 0 ? TCIF_IMAGE : 0);
    item.pszText = const_cast<char*>(pszText);
    item.iImage = nImage;
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, nItem, reinterpret_cast<LPARAM>(&item)));
}

bool CTabCtrl::SetItemData(int nItem, LPARAM lData) {
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    item.lParam = lData;
    return SendMessage(TCM_SETITEMA, nItem, reinterpret_cast<LPARAM>(&item)) != 0;
}

LPARAM CTabCtrl::GetItemData(int nItem) const {
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    SendMessage(TCM_GETITEMA, nItem, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}
