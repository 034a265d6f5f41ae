#include "ViewPage.h"

#include "BrowseTree.h"
#include "PageHost.h"
#include "PathInfoDlg.h"

void CViewPage::ShowControls(int nCmdShow) {
    const CWnd& form = m_host.GetForm();
    for (int nID : m_controls)
        CWnd(form.GetDlgItem(nID)).ShowWindow(nCmdShow);
}

void CViewPage::OnRegister() {
    CBrowseTree* pTree = GetTree();
    CTreeNode* pNode = pTree ? pTree->GetSelectedNode() : nullptr;
    // "マイ コンピュータ", servers and domains have no path.
    if (!pNode || pNode->m_strPath.IsEmpty())
        return;
    // The rules and the document take paths of at most 259 bytes; the trees
    // hold no longer ones, and a cut path would name another folder.
    if (pNode->m_strPath.GetLength() >= MAX_PATH)
        return;
    RegisterFolder(pNode->m_strPath);
}

void CViewPage::OnTreeItemInfo() {
    CBrowseTree* pTree = GetTree();
    CTreeNode* pNode = pTree ? pTree->GetSelectedNode() : nullptr;
    if (pNode && !pNode->m_strPath.IsEmpty())
        ShowPathInfo(pNode->m_strPath, true, &m_host.GetForm());
}
