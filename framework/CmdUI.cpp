#include "CmdUI.h"

#include "CmdTarget.h"

void CCmdUI::Enable(bool bOn) {
    m_bEnabled = bOn;
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int) {}

void CCmdUI::SetText(const char*) {}

bool CCmdUI::DoUpdate(CCmdTarget* pTarget, bool bDisableIfNoHandler) {
    m_bEnableChanged = false;
    bool bHandled = pTarget->OnCmdMsg(m_nID, this);
    if (!bHandled && bDisableIfNoHandler && !m_bEnableChanged)
        Enable(pTarget->OnCmdMsg(m_nID, nullptr, true));
    return bHandled;
}

void CMenuCmdUI::Enable(bool bOn) {
    CCmdUI::Enable(bOn);
    ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
}

void CMenuCmdUI::SetCheck(int nCheck) {
    ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetText(const char* pszText) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(pszText);
    ::SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &info);
}

void UpdateMenuCmdUI(HMENU hMenu, CCmdTarget* pTarget) {
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu) {
            UpdateMenuCmdUI(hSubMenu, pTarget);
            continue;
        }
        UINT nID = ::GetMenuItemID(hMenu, i);
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue; // a separator
        CMenuCmdUI ui(hMenu, static_cast<UINT>(i), nID);
        ui.DoUpdate(pTarget, true);
    }
}
