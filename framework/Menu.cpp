#include "Menu.h"

#include <utility>

namespace {

PopupMenuHandler g_popupMenuHandler;

// What the handler's choice comes to: the command, or 0 when the menu has
// no enabled item of that id.
UINT ChosenCommand(HMENU hMenu, UINT nID) {
    if (nID == 0)
        return 0;
    UINT nState = ::GetMenuState(hMenu, nID, MF_BYCOMMAND);
    return nState == static_cast<UINT>(-1) || (nState & (MF_GRAYED | MF_DISABLED)) ? 0 : nID;
}

} // namespace

void AfxSetPopupMenuHandler(PopupMenuHandler handler) {
    g_popupMenuHandler = std::move(handler);
}

int CMenu::TrackPopupMenu(UINT nFlags, int x, int y, HWND hWndOwner) const {
    if (!g_popupMenuHandler)
        return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWndOwner, nullptr);
    ::SendMessageA(hWndOwner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m_hMenu), 0);
    PopupMenuHandler handler = g_popupMenuHandler;
    UINT nID = ChosenCommand(m_hMenu, handler(m_hMenu));
    if (nFlags & TPM_RETURNCMD)
        return static_cast<int>(nID);
    if (nID)
        ::PostMessageA(hWndOwner, WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    return nID != 0;
}

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
