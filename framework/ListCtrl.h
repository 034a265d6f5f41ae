// CListCtrl: a list view. Items and columns are 0-based indices; column 0
// is the item itself, columns from 1 on are its subitems.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CListCtrl : public CWnd {
public:
    using CWnd::CWnd;

    // Returns the new column's index, or -1. nFormat: LVCFMT_LEFT/RIGHT/CENTER.
    int InsertColumn(int nCol, const char* pszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    bool DeleteColumn(int nCol) { return SendMessage(LVM_DELETECOLUMN, nCol) != 0; }
    int GetColumnWidth(int nCol) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, nCol));
    }
    bool SetColumnWidth(int nCol, int cx) {
        return SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)) != 0;
    }

    // Returns the new item's index (a sorted list places it), or -1.
    int InsertItem(int nItem, const char* pszText, int nImage = -1);
    bool DeleteItem(int nItem) { return SendMessage(LVM_DELETEITEM, nItem) != 0; }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

    bool SetItemText(int nItem, int nSubItem, const char* pszText);
    CString GetItemText(int nItem, int nSubItem) const;
    bool SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    bool SetItemImage(int nItem, int nImage);

    // The next item after nItem (-1: from the top) with the LVNI_ flags,
    // e.g. LVNI_SELECTED; -1 when there is none.
    int GetNextItem(int nItem, int nFlags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)));
    }
    // Sorts the items by pfnCompare(item data 1, item data 2, lParamSort).
    bool SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParamSort) {
        return SendMessage(LVM_SORTITEMS, lParamSort, reinterpret_cast<LPARAM>(pfnCompare)) != 0;
    }
    int GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // Sets the bits of nMask in the item's state to those of nState;
    // nItem -1 sets them on every item.
    bool SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, nItem, nMask));
    }

    // nImageList: LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE. Returns the
    // previous list. Without LVS_SHAREIMAGELISTS the list view destroys its
    // image lists itself.
    HIMAGELIST SetImageList(HIMAGELIST hImageList, int nImageList) {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(LVM_SETIMAGELIST, nImageList, reinterpret_cast<LPARAM>(hImageList)));
    }
    HIMAGELIST GetImageList(int nImageList) const {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, nImageList));
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    // LVS_EX_ flags such as LVS_EX_FULLROWSELECT; returns the previous ones.
    DWORD SetExtendedStyle(DWORD dwExStyle) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwExStyle));
    }

private:
    bool SetItem(LVITEMA& item) {
        return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
    }
};
