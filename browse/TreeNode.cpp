#include "TreeNode.h"

#include <memory>

void CTreeNodeList::DeleteAll() {
    for (POSITION pos = GetHeadPosition(); pos;)
        delete GetNext(pos);
    RemoveAll();
}

CTreeNode* NewTreeNode(CTreeNodeList& list, int nType, const char* pszPath) {
    // Held until the list has it, so a failed append loses nothing.
    auto pNode = std::make_unique<CTreeNode>(nType, pszPath);
    list.AddTail(pNode.get());
    return pNode.release();
}
