// CTreeCtrl: a tree view. Items are HTREEITEM handles; null means none.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CTreeCtrl : public CWnd {
public:
    using CWnd::CWnd;

    HTREEITEM InsertItem(const char* pszText, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    // Any fields at once: data, children, callbacks.
    HTREEITEM InsertItem(const TVINSERTSTRUCTA& insert) {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    bool DeleteItem(HTREEITEM hItem) {
        return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)) != 0;
    }
    bool DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    int GetCount() const { return static_cast<int>(SendMessage(TVM_GETCOUNT)); }

    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    bool SelectItem(HTREEITEM hItem) {
        return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)) != 0;
    }
    // nCode: TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    bool Expand(HTREEITEM hItem, UINT nCode) {
        return SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)) != 0;
    }

    // The item at a point of the tree's client area, or null; pFlags
    // (optional) receives where on the item it lies (TVHT_ONITEM...).
    HTREEITEM HitTest(POINT pt, UINT* pFlags = nullptr) const;
    // The state bits of nStateMask (TVIS_EXPANDED, TVIS_EXPANDEDONCE...).
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const {
        return static_cast<UINT>(
            SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
    }

    CString GetItemText(HTREEITEM hItem) const;
    bool SetItemText(HTREEITEM hItem, const char* pszText);
    bool SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    bool SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    // Shows the expand button without inserting the children yet, for
    // folders that are read when opened.
    bool SetHasChildren(HTREEITEM hItem, bool bHasChildren);

    // nImageList: TVSIL_NORMAL or TVSIL_STATE. Returns the previous list;
    // the tree does not own it.
    HIMAGELIST SetImageList(HIMAGELIST hImageList, int nImageList = TVSIL_NORMAL) {
        return reinterpret_cast<HIMAGELIST>(
            SendMessage(TVM_SETIMAGELIST, nImageList, reinterpret_cast<LPARAM>(hImageList)));
    }

private:
    bool SetItem(TVITEMA& item) {
        return SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
    }
};
