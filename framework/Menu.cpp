#include "Menu.h"

bool CMenu::LoadMenu(UINT nIDResource) {
    if (m_hMenu)
        return false;
    m_hMenu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDResource));
    m_bOwned = m_hMenu != nullptr;
    return m_hMenu != nullptr;
}

bool CMenu::Attach(HMENU hMenu) {
    if (m_hMenu || !hMenu)
        return false;
    m_hMenu = hMenu;
    m_bOwned = false;
    return true;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    m_bOwned = false;
    return hMenu;
}

bool CMenu::DestroyMenu() {
    bool bOK = m_bOwned && ::DestroyMenu(m_hMenu) != 0;
    Detach();
    return bOK;
}
