// A context menu as the user reads it, for the tests that answer menus.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The menu's items as "text", a separator as "-", a disabled item as
// "text (disabled)".
inline std::vector<std::string> MenuItems(HMENU hMenu) {
    std::vector<std::string> items;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        char sz[64] = "";
        ::GetMenuStringA(hMenu, i, sz, sizeof sz, MF_BYPOSITION);
        UINT nState = ::GetMenuState(hMenu, i, MF_BYPOSITION);
        std::string item = (nState & MF_SEPARATOR) ? "-" : sz;
        if ((nState & MF_GRAYED) && !(nState & MF_SEPARATOR))
            item += " (disabled)";
        items.push_back(item);
    }
    return items;
}
