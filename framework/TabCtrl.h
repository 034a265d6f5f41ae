// CTabCtrl: a row of tabs. The pages themselves are the parent's business.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CTabCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // Returns the new tab's index, or -1. nImage -1: no image.
    int InsertItem(int nItem, const char* pszText, int nImage = -1);
    bool DeleteAllItems() { return SendMessage(TCM_DELETEALLITEMS) != 0; }
    // The value a program keeps with a tab (0 until set).
    bool SetItemData(int nItem, LPARAM lData);
    LPARAM GetItemData(int nItem) const;
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    // -1 when no tab is selected.
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    // Returns the previously selected tab, or -1. Sends no TCN_SELCHANGE.
    int SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, nItem)); }
    bool GetItemRect(int nItem, RECT* pRect) const {
        return SendMessage(TCM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(pRect)) != 0;
    }
    // bLarger false: the display area inside a window rectangle; true: the
    // window rectangle around a display area.
    void AdjustRect(bool bLarger, RECT* pRect) const {
        SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(pRect));
    }
    // Returns the previous image list. The tab control does not own it.
    HIMAGELIST SetImageList(HIMAGELIST hImageList) {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImageList)));
    }
};
