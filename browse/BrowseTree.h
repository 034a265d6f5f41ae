// A tree control that shows folders and fills itself lazily: the children
// of an item are read the first time it is opened. Each item carries a
// CTreeNode as its data; the tree owns its nodes until it is cleared.
//
// Whether a folder has children and which picture it shows are asked for
// by the tree only when it draws the item (AnswerDispInfo), so opening a
// folder of ten thousand subfolders looks at none of them until they
// scroll into view.
//
// Children are put in the order of a sorted list box of the view (hidden,
// never shown): names go in, and come out in the box's order, which is the
// order the user knows from the system's lists (letter case ignored).
#pragma once

#include "StringList.h"
#include "TreeCtrl.h"
#include "TreeNode.h"

class CListBox;

// The children argument of InsertTreeItem.
enum TreeChildren {
    CHILDREN_NONE = 0,  // no expand button
    CHILDREN_SOME = 1,  // an expand button before the children are read
    CHILDREN_AUTO = -1, // the tree decides by the children it has
    CHILDREN_ASK = -2,  // asked of the node when the tree first needs it
};

// Pictures of the view's image list that the trees use.
enum TreeImage {
    IMAGE_ASK = -1, // the tree asks for it (AnswerDispInfo)
    IMAGE_COMPUTER = 0,
    IMAGE_NETWORK = 1,
    IMAGE_FIXED = 2,
    IMAGE_FIXED_SELECTED = 3,
    IMAGE_REMOVABLE = 4,
    IMAGE_REMOVABLE_SELECTED = 5,
    IMAGE_FOLDER = 6,
    IMAGE_FOLDER_OPEN = 7,
    IMAGE_SYNC_ROOT = 8,
    IMAGE_DOCUMENT = 9,
    IMAGE_REMOTE = 10,
    IMAGE_REMOTE_SELECTED = 11,
    IMAGE_CDROM = 12,
    IMAGE_CDROM_SELECTED = 13,
    IMAGE_PROVIDER = 14,
};

class CFileFind;

class CBrowseTree : public CTreeCtrl {
public:
    CBrowseTree() = default;

    // The hidden sorted list box through which folder names pass.
    void SetFolderSorter(CListBox* pSorter) { m_pFolderSorter = pSorter; }

    // Inserts at the end of hParent's children (null: a root item), with
    // the node as the item's data.
    HTREEITEM InsertTreeItem(HTREEITEM hParent, CTreeNode* pNode, const char* pszText,
                             int nChildren, int nImage, int nSelectedImage);
    CTreeNode* NewNode(int nType, const char* pszPath) {
        return NewTreeNode(m_nodes, nType, pszPath);
    }
    CTreeNode* GetNode(HTREEITEM hItem) const {
        return hItem ? reinterpret_cast<CTreeNode*>(GetItemData(hItem)) : nullptr;
    }
    // The node of the selected item, or null.
    CTreeNode* GetSelectedNode() const { return GetNode(GetSelectedItem()); }
    const CTreeNodeList& GetNodes() const { return m_nodes; }

    // Deletes every item and destroys every node.
    void Clear();

    // Answers the tree's question about an item it is about to draw: the
    // folder picture (open while expanded) and whether a folder has
    // children. Files are the view's to answer (their shell icons).
    void AnswerDispInfo(NMTVDISPINFOA& info) const;

    // The item a TVN_ITEMEXPANDING opens for the first time, and its node:
    // the first expansion reads the children, later ones read nothing.
    // Null when the item was opened before or carries no node.
    CTreeNode* GetNodeToFill(const NMHDR* pNMHDR, HTREEITEM* phItem) const {
        const auto& notify = *reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
        if (notify.itemNew.state & TVIS_EXPANDEDONCE)
            return nullptr;
        *phItem = notify.itemNew.hItem;
        return GetNode(*phItem);
    }

protected:
    // Whether the folder of a node has children to show in this tree.
    virtual bool HasChildFolders(const CTreeNode& node) const = 0;
    // Whether an entry of a folder shows in this tree. The folder trees
    // show only names the code page holds, in paths that fit in 260 bytes:
    // those are the folders a set can register.
    virtual bool ShowsEntry(const CFileFind& finder, const CString& strFolderSlash) const;
    // Puts the names of the folder's subfolders into the folder sorter
    // and, with pFileSorter, the names of its files into that one: the
    // entries the tree shows (ShowsEntry), as their exact texts.
    void ReadFolder(const CString& strFolder, CListBox* pFileSorter = nullptr) const;
    // Takes the names out of a sorter in its order; the box is left empty.
    static void TakeSorted(CListBox& sorter, CStringList& names);
    // A child of hParent per name of the sorter, in its order: a node of
    // the type with the full path (exact), the name as the user reads it
    // (ShownText) as the label, and the children and pictures given.
    void InsertSorted(CListBox& sorter, HTREEITEM hParent, const CString& strFolder, int nType,
                      int nChildren, int nImage);

    CListBox* m_pFolderSorter = nullptr;

private:
    CTreeNodeList m_nodes;
};
