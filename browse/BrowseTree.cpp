#include "BrowseTree.h"

#include "ExactText.h"
#include "FileFind.h"
#include "ListBox.h"
#include "PathText.h"

HTREEITEM CBrowseTree::InsertTreeItem(HTREEITEM hParent, CTreeNode* pNode, const char* pszText,
                                      int nChildren, int nImage, int nSelectedImage) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent ? hParent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    TVITEMA& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    item.pszText = const_cast<char*>(pszText);
    item.iImage = nImage == IMAGE_ASK ? I_IMAGECALLBACK : nImage;
    item.iSelectedImage = nSelectedImage == IMAGE_ASK ? I_IMAGECALLBACK : nSelectedImage;
    item.lParam = reinterpret_cast<LPARAM>(pNode);
    if (nChildren != CHILDREN_AUTO) {
        item.mask |= TVIF_CHILDREN;
        item.cChildren = nChildren == CHILDREN_ASK ? I_CHILDRENCALLBACK : nChildren;
    }
    return InsertItem(insert);
}

void CBrowseTree::Clear() {
    // Items first: none may point at a destroyed node, not even briefly.
    DeleteAllItems();
    m_nodes.DeleteAll();
}

void CBrowseTree::AnswerDispInfo(NMTVDISPINFOA& info) const {
    CTreeNode* pNode = reinterpret_cast<CTreeNode*>(info.item.lParam);
    if (!pNode)
        return;
    TVITEMA& item = info.item;
    if (item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
        // Asked at every drawing, so the picture follows the state.
        UINT nState = GetItemState(item.hItem, TVIS_EXPANDED);
        int nImage = (nState & TVIS_EXPANDED) ? IMAGE_FOLDER_OPEN : IMAGE_FOLDER;
        item.iImage = nImage;
        item.iSelectedImage = nImage;
    }
    if (item.mask & TVIF_CHILDREN) {
        if (pNode->m_nHasChildren < 0)
            pNode->m_nHasChildren = HasChildFolders(*pNode) ? 1 : 0;
        item.cChildren = pNode->m_nHasChildren;
    }
}

bool CBrowseTree::ShowsEntry(const CFileFind& finder, const CString& strFolderSlash) const {
    return finder.IsNameExact() &&
           strFolderSlash.GetLength() + finder.GetFileName().GetLength() < MAX_PATH;
}

void CBrowseTree::ReadFolder(const CString& strFolder, CListBox* pFileSorter) const {
    CString strFolderSlash = strFolder;
    AddBackslash(strFolderSlash);
    CFileFind finder;
    bool bMore = finder.FindFile(strFolderSlash + "*.*");
    while (bMore) {
        bMore = finder.FindNextFile();
        if (finder.IsDots() || !ShowsEntry(finder, strFolderSlash))
            continue;
        CString strName = finder.GetFileName();
        if (finder.IsDirectory())
            m_pFolderSorter->AddString(strName);
        else if (pFileSorter)
            pFileSorter->AddString(strName);
    }
}

void CBrowseTree::TakeSorted(CListBox& sorter, CStringList& names) {
    // Read in index order and emptied at once: the order of taking them
    // from the top one by one, without moving the rest up each time.
    int nCount = sorter.GetCount();
    CString strName;
    for (int i = 0; i < nCount; i++) {
        sorter.GetText(i, strName);
        names.AddTail(strName);
    }
    sorter.ResetContent();
}

void CBrowseTree::InsertSorted(CListBox& sorter, HTREEITEM hParent, const CString& strFolder,
                               int nType, int nChildren, int nImage) {
    CStringList names;
    TakeSorted(sorter, names);
    for (POSITION pos = names.GetHeadPosition(); pos;) {
        const CString& strName = names.GetNext(pos);
        CTreeNode* pNode = NewNode(nType, JoinPath(strFolder, strName));
        InsertTreeItem(hParent, pNode, ShownText(strName), nChildren, nImage, nImage);
    }
}
