// The restore page's synchronised-folder tree: the mirror folders of the
// set, each read the first time it is opened, files with their shell icons,
// fetched when the tree first draws them.
#include "RestorePage.h"

#include "BackupSource.h"
#include "ContextMenu.h"
#include "MrqDoc.h"
#include "PageHost.h"
#include "StringList.h"
#include "ViewImages.h"

void CRestorePage::RebuildTree() {
    m_tree.Clear();
    // Entries registered since the last save have no mirror yet.
    CStringList mirrors;
    CMrqDoc* pDoc = m_host.GetBackupSet();
    for (POSITION pos = pDoc->m_sources.GetHeadPosition(); pos;) {
        CBackupSource* pEntry = GetNextSource(pDoc->m_sources, pos);
        if (!pEntry->m_strMirror.IsEmpty())
            mirrors.AddTail(pEntry->m_strMirror);
    }
    m_tree.Build(m_host.GetImages().GetSafeHandle(), mirrors);
}

void CRestorePage::OnTreeExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    HTREEITEM hItem = nullptr;
    CTreeNode* pNode = m_tree.GetNodeToFill(pNMHDR, &hItem);
    if (!pNode || pNode->m_strPath.IsEmpty())
        return;
    m_tree.AddFolderEntries(hItem, pNode->m_strPath);
}

void CRestorePage::OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    auto& info = *reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    auto* pNode = reinterpret_cast<CTreeNode*>(info.item.lParam);
    if (!pNode || pNode->m_nType != NODE_FILE) {
        m_tree.AnswerDispInfo(info);
        return;
    }
    // A file shows its shell icon, fetched when the tree first draws it.
    if (!pNode->m_pIcon)
        pNode->m_pIcon = m_host.GetImages().GetFileIcon(pNode->m_strPath);
    int nImage = pNode->m_pIcon ? pNode->m_pIcon->m_nImage : IMAGE_DOCUMENT;
    info.item.iImage = nImage;
    info.item.iSelectedImage = nImage;
}

void CRestorePage::OnTreeRightClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    ShowTreeMenu(m_host.GetForm(), m_tree);
}
