// Reading and working the view's tree controls as a user sees them. The
// frame is hidden, so nothing is drawn: fields the tree asks the view for
// (pictures, expand buttons) are asked when a test reads them, exactly as
// the tree asks when it draws.
#pragma once

#include <string>
#include <vector>

#include "BrowseTree.h"

// Item fields as the tree reports them (callbacks answered).
inline TVITEMA TreeItem(const CTreeCtrl& tree, HTREEITEM hItem) {
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    item.stateMask = TVIS_EXPANDED;
    item.hItem = hItem;
    tree.SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
}

inline std::vector<HTREEITEM> ChildItems(const CTreeCtrl& tree, HTREEITEM hParent) {
    std::vector<HTREEITEM> items;
    HTREEITEM hChild = hParent ? tree.GetChildItem(hParent) : tree.GetRootItem();
    for (; hChild; hChild = tree.GetNextSiblingItem(hChild))
        items.push_back(hChild);
    return items;
}

inline std::vector<std::string> ChildTexts(const CTreeCtrl& tree, HTREEITEM hParent) {
    std::vector<std::string> texts;
    for (HTREEITEM hChild : ChildItems(tree, hParent))
        texts.push_back(tree.GetItemText(hChild).str());
    return texts;
}

// The child with this text, or null.
inline HTREEITEM ChildItem(const CTreeCtrl& tree, HTREEITEM hParent, const char* pszText) {
    for (HTREEITEM hChild : ChildItems(tree, hParent))
        if (tree.GetItemText(hChild) == pszText)
            return hChild;
    return nullptr;
}

// Opens the item as its expand button does: the tree notifies the view.
inline void OpenItem(CTreeCtrl& tree, HTREEITEM hItem) {
    tree.Expand(hItem, TVE_EXPAND);
}

// Opens the items along the texts from a root item and returns the last
// one (null when a text is missing).
inline HTREEITEM OpenPath(CTreeCtrl& tree, const std::vector<std::string>& texts) {
    HTREEITEM hItem = nullptr;
    for (const std::string& text : texts) {
        hItem = ChildItem(tree, hItem, text.c_str());
        if (!hItem)
            return nullptr;
        OpenItem(tree, hItem);
    }
    return hItem;
}

inline const CTreeNode* NodeOf(const CBrowseTree& tree, HTREEITEM hItem) {
    return tree.GetNode(hItem);
}
