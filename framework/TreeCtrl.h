// CTreeCtrl: a tree view. Items are HTREEITEM handles; null means none.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CTreeCtrl : public CWnd {
public:
    using CWnd::CWnd;

    HTREEITEM InsertItem(const char* pszText, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
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
