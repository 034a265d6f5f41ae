#include "ContextMenu.h"

#include "BrowseTree.h"
#include "Menu.h"
#include "resource.h"

void ShowContextMenu(const CWnd& form, int nPosition) {
    POINT pt;
    ::GetCursorPos(&pt);
    CMenu menu;
    if (!menu.LoadMenu(IDR_CONTEXT_MENUS))
        return;
    CMenu popup;
    if (!popup.Attach(menu.GetSubMenu(nPosition)))
        return;
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, form.GetTopLevelParent());
}

void ShowRowMenu(const CWnd& form, const NMHDR* pNMHDR, int nPosition) {
    if (reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR)->iItem >= 0)
        ShowContextMenu(form, nPosition);
}

void ShowTreeMenu(const CWnd& form, CBrowseTree& tree) {
    POINT pt;
    ::GetCursorPos(&pt);
    tree.ScreenToClient(&pt);
    HTREEITEM hItem = tree.HitTest(pt);
    if (!hItem)
        return;
    tree.SelectItem(hItem);
    CTreeNode* pNode = tree.GetNode(hItem);
    if (pNode && !pNode->m_strPath.IsEmpty())
        ShowContextMenu(form, CONTEXT_MENU_TREE);
}
