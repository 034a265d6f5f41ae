#include "SyncTree.h"

#include "FileFind.h"
#include "FileOps.h"
#include "ListBox.h"
#include "PathText.h"

void CSyncTree::Build(HIMAGELIST hImages, const CStringList& mirrors) {
    SetImageList(hImages);
    HTREEITEM hRoot = InsertTreeItem(nullptr, NewNode(NODE_ROOT, ""), "同期フォルダ", CHILDREN_AUTO,
                                     IMAGE_SYNC_ROOT, IMAGE_SYNC_ROOT);
    for (POSITION pos = mirrors.GetHeadPosition(); pos;)
        m_pFolderSorter->AddString(mirrors.GetNext(pos));
    CStringList sorted;
    TakeSorted(*m_pFolderSorter, sorted);
    for (POSITION pos = sorted.GetHeadPosition(); pos;) {
        const CString& strMirror = sorted.GetNext(pos);
        InsertTreeItem(hRoot, NewNode(NODE_FOLDER, strMirror), GetFolderTitle(strMirror),
                       CHILDREN_ASK, IMAGE_ASK, IMAGE_ASK);
    }
}

void CSyncTree::AddFolderEntries(HTREEITEM hParent, const CString& strFolder) {
    ReadFolder(strFolder, m_pFileSorter);
    InsertSorted(*m_pFolderSorter, hParent, strFolder, NODE_FOLDER, CHILDREN_ASK, IMAGE_ASK);
    InsertSorted(*m_pFileSorter, hParent, strFolder, NODE_FILE, CHILDREN_AUTO, IMAGE_ASK);
}

bool CSyncTree::ShowsEntry(const CFileFind& finder, const CString&) const {
    return finder.IsNameReachable();
}

bool CSyncTree::HasChildFolders(const CTreeNode& node) const {
    return HasEntries(node.m_strPath);
}
