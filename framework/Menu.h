// CMenu: a thin wrapper of one menu handle. A menu loaded through the
// wrapper belongs to it and goes with it; an attached one does not.
#pragma once

#include <functional>

#include "Types.h"

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() { DestroyMenu(); }

    bool LoadMenu(UINT nIDResource);
    bool Attach(HMENU hMenu);
    HMENU Detach();
    bool DestroyMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // The drop-down at nPos, not owned (it belongs to this menu), or null.
    HMENU GetSubMenu(int nPos) const { return ::GetSubMenu(m_hMenu, nPos); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
    // nEnable: MF_ENABLED or MF_GRAYED, with MF_BYCOMMAND or MF_BYPOSITION.
    // Returns the previous state, -1 when there is no such item.
    int EnableMenuItem(UINT nIDItem, UINT nEnable) {
        return static_cast<int>(::EnableMenuItem(m_hMenu, nIDItem, nEnable));
    }
    int CheckMenuItem(UINT nIDItem, UINT nCheck) {
        return static_cast<int>(::CheckMenuItem(m_hMenu, nIDItem, nCheck));
    }
    UINT GetMenuState(UINT nIDItem, UINT nFlags) const {
        return ::GetMenuState(m_hMenu, nIDItem, nFlags);
    }
    // Shows the menu at a screen point; the chosen command goes to hWndOwner
    // as WM_COMMAND (or is returned with TPM_RETURNCMD). Passes the popup
    // menu seam below.
    int TrackPopupMenu(UINT nFlags, int x, int y, HWND hWndOwner) const;

private:
    HMENU m_hMenu = nullptr;
    bool m_bOwned = false;
};

// A drop-down of a menu in the program's resources, kept with its menu:
// the usual shape of a context menu.
//
//     CMenu menu;
//     menu.LoadMenu(IDR_CONTEXT_MENUS);
//     CMenu popup;
//     popup.Attach(menu.GetSubMenu(0));
//     popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, m_hWnd);

// Test seam of popup menus: when a handler is set, TrackPopupMenu shows
// nothing. The owner gets WM_INITMENUPOPUP as from a real menu (so a frame
// enables and disables the items by its command route), then the handler
// is called with the menu and returns the command a user would choose, or
// 0 for none (Escape). A command whose item is missing or disabled cannot be
// chosen and counts as 0. A chosen command reaches the owner as a real menu
// sends it: posted as WM_COMMAND, or returned with TPM_RETURNCMD.
typedef std::function<UINT(HMENU hMenu)> PopupMenuHandler;
void AfxSetPopupMenuHandler(PopupMenuHandler handler);
