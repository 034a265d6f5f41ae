#include "TabCtrl.h"

int CTabCtrl::InsertItem(int nItem, const char* pszText, int nImage) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT | (nImage >= 0 ? TCIF_IMAGE : 0);
    item.pszText = const_cast<char*>(pszText);
    item.iImage = nImage;
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, nItem, reinterpret_cast<LPARAM>(&item)));
}
