#include "FolderTreePane.h"

#include "ContextMenu.h"
#include "MessageMap.h"
#include "PageHost.h"
#include "ViewImages.h"
#include "resource.h"

const CMessageMap* CFolderTreePane::GetMessageMap() const {
    static const CMessageMapEntry kEntries[] = {
        MapNotify(IDC_FOLDER_TREE, TVN_ITEMEXPANDINGA, &CFolderTreePane::OnExpanding),
        MapNotify(IDC_FOLDER_TREE, TVN_GETDISPINFOA, &CFolderTreePane::OnGetDispInfo),
        MapNotify(IDC_FOLDER_TREE, NM_RCLICK, &CFolderTreePane::OnRightClick),
    };
    static const CMessageMap s_map(CCmdTarget::GetMessageMap(), kEntries);
    return &s_map;
}

void CFolderTreePane::Attach(const CWnd& form) {
    m_tree.Attach(form.GetDlgItem(IDC_FOLDER_TREE));
    m_folderSorter.Attach(form.GetDlgItem(IDC_FOLDER_SORTER));
    m_tree.SetFolderSorter(&m_folderSorter);
}

void CFolderTreePane::Build(bool bExtended) {
    m_bExtended = bExtended;
    m_tree.Build(m_host.GetImages().GetSafeHandle(), bExtended);
}

void CFolderTreePane::OnExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    HTREEITEM hItem = nullptr;
    CTreeNode* pNode = m_tree.GetNodeToFill(pNMHDR, &hItem);
    if (!pNode)
        return;
    if (pNode->m_nType == NODE_NETWORK) {
        if (m_bExtended)
            m_tree.AddNetworkResources(hItem, nullptr);
        return;
    }
    if (pNode->m_strPath.IsEmpty())
        return;
    // A share that wants a password is listed anyway: without the password
    // it simply shows nothing.
    if (pNode->m_nType == NODE_NETRESOURCE)
        m_host.ConnectShare(pNode->m_strPath);
    m_tree.AddSubfolders(hItem, pNode->m_strPath);
}

void CFolderTreePane::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    m_tree.AnswerDispInfo(*reinterpret_cast<NMTVDISPINFOA*>(pNMHDR));
}

void CFolderTreePane::OnRightClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    ShowTreeMenu(m_host.GetForm(), m_tree);
}
