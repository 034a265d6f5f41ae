// The two folder trees: the folder tree of drives and network on the
// source and destination pages, and the synchronised-folder tree of the
// mirror folders on the restore page. Both read an item's children the
// first time it is opened; the tree asks for pictures and expand buttons
// only of the items it draws.
#include "MrqView.h"

#include "BackupSource.h"
#include "MrqDoc.h"
#include "StringList.h"
#include "resource.h"

void CMrqView::BuildFolderTree() {
    m_folderTree.Build(m_pImageList->GetSafeHandle(), IsExtendedEnabled());
}

void CMrqView::ClearFolderTree() {
    m_folderTree.Clear();
}

void CMrqView::BuildSyncTree() {
    // Entries registered since the last save have no mirror yet.
    CStringList mirrors;
    CMrqDoc* pDoc = GetDocument();
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;) {
        CBackupSource* pEntry = GetNextSource(pDoc->m_sources, pos);
        if (!pEntry->m_strMirror.IsEmpty())
            mirrors.AddTail(pEntry->m_strMirror);
    }
    m_syncTree.Build(m_pImageList->GetSafeHandle(), mirrors);
}

void CMrqView::ClearSyncTree() {
    m_syncTree.Clear();
}

CBrowseTree& CMrqView::GetCurrentTree() {
    if (m_nPage >= PAGE_RESTORE)
        return m_syncTree;
    return m_folderTree;
}

void CMrqView::OnFolderTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    auto& notify = *reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    if (!CBrowseTree::NeverExpanded(notify))
        return;
    HTREEITEM hItem = notify.itemNew.hItem;
    CTreeNode* pNode = m_folderTree.GetNode(hItem);
    if (!pNode)
        return;
    if (pNode->m_nType == NODE_NETWORK) {
        if (IsExtendedEnabled())
            m_folderTree.AddNetworkResources(hItem, nullptr);
        return;
    }
    if (pNode->m_strPath.IsEmpty())
        return;
    // A share that wants a password is listed anyway: without the password
    // it simply shows nothing.
    if (pNode->m_nType == NODE_NETRESOURCE)
        ConnectShare(pNode->m_strPath);
    m_folderTree.AddSubfolders(hItem, pNode->m_strPath);
}

void CMrqView::OnSyncTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    auto& notify = *reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    if (!CBrowseTree::NeverExpanded(notify))
        return;
    HTREEITEM hItem = notify.itemNew.hItem;
    CTreeNode* pNode = m_syncTree.GetNode(hItem);
    if (!pNode || pNode->m_strPath.IsEmpty())
        return;
    m_syncTree.AddFolderEntries(hItem, pNode->m_strPath);
}

void CMrqView::OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    auto& info = *reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    auto* pNode = reinterpret_cast<CTreeNode*>(info.item.lParam);
    if (!pNode || pNode->m_nType != NODE_FILE) {
        CBrowseTree& tree =
            pNMHDR->idFrom == IDC_SYNC_TREE ? static_cast<CBrowseTree&>(m_syncTree) : m_folderTree;
        tree.AnswerDispInfo(info);
        return;
    }
    // A file shows its shell icon, fetched when the tree first draws it.
    if (!pNode->m_pIcon)
        pNode->m_pIcon = GetFileIcon(pNode->m_strPath);
    int nImage = pNode->m_pIcon ? pNode->m_pIcon->m_nImage : IMAGE_DOCUMENT;
    info.item.iImage = nImage;
    info.item.iSelectedImage = nImage;
}

CIconEntry* CMrqView::GetFileIcon(const char* pszPath) {
    m_bImageBusy = 1;
    CIconEntry* pEntry = m_iconCache.GetFileIcon(pszPath, *m_pImageList);
    m_bImageBusy = 0;
    return pEntry;
}

int CMrqView::ConnectShare(const char* pszRemote) {
    return m_connections.ConnectShare(pszRemote, this);
}

void CMrqView::CancelConnections() {
    m_connections.CancelConnections();
}

void CMrqView::OnTreeMenu(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    CBrowseTree& tree = GetCurrentTree();
    POINT pt;
    ::GetCursorPos(&pt);
    tree.ScreenToClient(&pt);
    HTREEITEM hItem = tree.HitTest(pt);
    if (!hItem)
        return;
    tree.SelectItem(hItem);
    CTreeNode* pNode = tree.GetNode(hItem);
    if (pNode && !pNode->m_strPath.IsEmpty())
        ShowContextMenu(CONTEXT_MENU_TREE);
}
